#pragma once

#include "receive/receivedtext.h"

// Each link's unfinished UTF-8 sequence, kept between its reads.
extern ReceiveDecoderState serialDecoder;
extern ReceiveDecoderState tcpDecoder;
