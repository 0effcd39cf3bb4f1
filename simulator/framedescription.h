#pragma once

#include "simulator/framereaders.h"

#include <QString>

// One line for a frame: its bytes in hexadecimal, then, two spaces apart, the player ID
// (addressed family), the command's label with its parameters, and the on-demand envelope:
//   80 11 02  id 0  Folder 130 (bank 1, number 2)
//   80 04 01  id 0  Player Status?
//   02 00 00 00 67 65 74 00 ...  Player status?  get "PlayerStatus"
//   80 02  undecodable (2 bytes)
QString describeFrame(const DecodedFrame &frame);

// Bytes as readable text: printable ASCII as it is, \r \n \0 and \xHH for the rest.
QString escapedText(const QByteArray &bytes);
