#include "catalogue/folders.h"

namespace {

constexpr int highestFolderNumber = 999;

struct ByteRange
{
    int first = 0;
    int count = 0;
};

ByteRange folderRange(const PlayerCommand &folder)
{
    if (folder.dataMin.isEmpty() || folder.dataMax.isEmpty())
        return {};
    return {folder.dataMin.at(0), folder.dataMax.at(0) - folder.dataMin.at(0) + 1};
}

} // namespace

QVector<int> folderNumbers(const PlayerCommand &folder, int banks)
{
    const ByteRange range = folderRange(folder);
    QVector<int> numbers;
    for (int bank = 0; bank < banks; ++bank) {
        for (int offset = 0; offset < range.count; ++offset) {
            const int number = range.count * bank + range.first + offset;
            if (number <= highestFolderNumber)
                numbers.append(number);
        }
    }
    return numbers;
}

std::optional<FolderPosition> folderPosition(const PlayerCommand &folder, int banks, int number)
{
    const ByteRange range = folderRange(folder);
    if (range.count <= 0 || number < range.first || number > highestFolderNumber)
        return std::nullopt;
    const int bank = (number - range.first) / range.count;
    if (bank >= banks)
        return std::nullopt;
    return FolderPosition{bank, range.first + (number - range.first) % range.count};
}
