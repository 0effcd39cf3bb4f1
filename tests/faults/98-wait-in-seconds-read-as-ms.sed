# "wait 2 s" pauses 2 ms.
# file: sequence/sequencefile.cpp
s/unit == QLatin1String("s") ? qint64(\*number) \* 1000 : \*number/qint64(*number)/
