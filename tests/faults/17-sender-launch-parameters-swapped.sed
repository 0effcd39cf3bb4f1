# zoxen-send gives a source's reference as its option and the option as its reference.
# file: transmission/namedcontrols.cpp
s/control.launch = {first, values.value(1), 0};/control.launch = {values.value(1), first, 0};/
