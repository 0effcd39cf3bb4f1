# The layouts paused while a model's controls change are never set going again.
# file: modelselection/modelcontrols.cpp
s/^            layout->setEnabled(true);$/            layout->setEnabled(layout->isEnabled());/
