#pragma once

// True while label_Bytes_Sended shows hexadecimal: the base of the text in the label now,
// which the base radio buttons convert from.
extern bool sentBytesInHex;
