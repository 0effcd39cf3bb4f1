# A list refilled in a control that stays shown keeps its old width until later events.
# file: modelselection/modelcontrols.cpp
s/^    settleLayouts();$//
