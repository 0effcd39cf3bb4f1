# The Standby/Wakeup command gets no panel: its button never shows.
# file: modelselection/modelpanels.cpp
s/return CommandPanel::StandbyWakeup;/return CommandPanel::None;/
