# The reference lists of a playback source stay shown for a source, or a model, without them.
# file: modelselection/modelcontrols.cpp
s/ui.frame_Ref_Of_Playback->setVisible(ui.comboBox_Ref_Of_Playback->count() > 0);/ui.frame_Ref_Of_Playback->show();/
