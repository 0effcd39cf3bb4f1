#include "simulator/framereader.h"

#include "simulator/addressedframereader.h"
#include "simulator/envelopeframereader.h"
#include "simulator/unaddressedframereader.h"

std::unique_ptr<FrameReader> frameReaderFor(const PlayerModel &model)
{
    if (model.isOnDemand())
        return std::make_unique<EnvelopeFrameReader>(model);
    if (model.protocol == 0)
        return std::make_unique<AddressedFrameReader>(model);
    return std::make_unique<UnaddressedFrameReader>(model);
}
