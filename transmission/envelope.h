#pragma once

// The on-demand model's text envelope, as the console writes it and the simulated device reads
// it: after the code byte, `zeroBytes` zero bytes, the verb, then the texts, each of them and
// the verb ended by a zero byte.
namespace Envelope {
constexpr int zeroBytes = 3;
constexpr char commandVerb[] = "cmd";
constexpr char requestVerb[] = "get";
constexpr char settingVerb[] = "set";
// What a playback command (play, stop, next or previous file) carries after its number, twice.
constexpr char unusedArgument[] = "255";
// What ends a playback source's arguments, and its number where it takes none.
constexpr char noNumber[] = "0";
// The one value that the console sets, and the device's scale for it: the slider's value less
// the offset, -64 (lowest) to 0.
constexpr char volumeName[] = "VolumeLocalMusic";
constexpr int volumeOffset = 64;
} // namespace Envelope
