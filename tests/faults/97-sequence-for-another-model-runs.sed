# A sequence written for another model runs on this one.
# file: sequence/sequencefile.cpp
s/else if (name.compare(model.name, Qt::CaseInsensitive) != 0)/else if (name.isEmpty())/
