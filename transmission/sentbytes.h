#pragma once

// True while label_Bytes_Sended shows hexadecimal: the base of the text in the label now,
// which the base radio buttons convert from.
extern bool sentBytesInHex;

// What became of the last frame shown: out on the line, still queued on its link, or never
// out (no link took it, or the link closed before its bytes left).
enum class SendState
{
    Sent,
    Waiting,
    NotSent,
};
