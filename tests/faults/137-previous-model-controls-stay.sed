# Controls of the model chosen before stay shown when the next model does not offer them.
# file: modelselection/modelcontrols.cpp
s/            panel->setVisible(shown.controls.count(panel) > 0);/            if (shown.controls.count(panel) > 0) panel->show();/
