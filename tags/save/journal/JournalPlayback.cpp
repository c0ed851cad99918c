#include "JournalPlayback.h"

#include "PosixFile.h"

#include <algorithm>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>

namespace {

// What one region's bytes say, one byte at a time: each must be the old one or the new one,
// since a write torn by a crash leaves some of each.
struct RegionState {
    bool foreign = false;           // a byte that is neither old nor new
    bool notAllNew = false;         // a byte that is not the new one (yet)
    bool notAllOld = false;         // a byte that is no longer the old one
    bool foreignPastOldEnd = false; // a byte past the old end of the file that is not new
    std::uint64_t fileSize = 0;
};

bool Compare(const JournalRecord::Region& region, const PosixFile& file, std::uint64_t fileSize,
             RegionState* state) {
    const std::uint64_t present =
        fileSize > region.offset
            ? std::min<std::uint64_t>(region.newBytes.size(), fileSize - region.offset)
            : 0;
    std::string now(present, '\0');
    if (file.ReadAt(region.offset, now.data(), now.size()) != static_cast<long long>(present))
        return false;
    // Before and after every Save a region is wholly old or wholly new: no byte-by-byte look.
    const std::string_view oldBytes(region.oldBytes);
    if (now == region.newBytes) {
        state->notAllOld |= oldBytes.substr(0, now.size()) != now;
        return true;
    }
    if (now == region.oldBytes && now.size() == region.newBytes.size()) {
        state->notAllNew = true;
        return true;
    }
    for (std::size_t i = 0; i < region.newBytes.size(); ++i) {
        const bool isNew = i < present && now[i] == region.newBytes[i];
        const bool isOld =
            i < region.oldBytes.size() && i < present && now[i] == region.oldBytes[i];
        // Bytes past the old end of the file are cut off again by a playback, whatever they are.
        state->foreign |= i < region.oldBytes.size() && !isOld && !isNew;
        state->foreignPastOldEnd |= i >= region.oldBytes.size() && i < present && !isNew;
        state->notAllNew |= !isNew;
        state->notAllOld |= isNew && !isOld;
    }
    return true;
}

bool Survey(const JournalRecord& record, const PosixFile& file, RegionState* state) {
    struct stat status {};
    if (!file.Stat(&status))
        return false;
    state->fileSize = static_cast<std::uint64_t>(status.st_size);
    for (const JournalRecord::Region& region : record.regions)
        if (!Compare(region, file, state->fileSize, state))
            return false;
    return true;
}

} // namespace

JournalPlayback::State JournalPlayback::Examine(const JournalRecord& record, const PosixFile& file,
                                                bool sameInode) {
    RegionState state;
    if (!Survey(record, file, &state))
        return State::Unreadable;
    if (state.foreign || (!sameInode && state.foreignPastOldEnd) ||
        state.fileSize < record.before.size || state.fileSize > record.sizeAfter)
        return State::Changed;
    if (!state.notAllOld && state.fileSize == record.before.size)
        return State::Untouched;
    if (!state.notAllNew && state.fileSize == record.sizeAfter)
        return State::Finished;
    return State::Torn;
}

bool JournalPlayback::HoldsNewBytes(const JournalRecord& record, State state) {
    const auto unchanged = [](const JournalRecord::Region& region) {
        return region.oldBytes == region.newBytes;
    };
    return state == State::Finished ||
           (state == State::Untouched && record.sizeAfter == record.before.size &&
            std::all_of(record.regions.begin(), record.regions.end(), unchanged));
}

bool JournalPlayback::PutBack(const JournalRecord& record, const PosixFile& file) {
    for (const JournalRecord::Region& region : record.regions)
        if (!file.WriteAllAt(region.offset, region.oldBytes.data(), region.oldBytes.size()))
            return false;
    if (!file.Truncate(record.before.size))
        return false;
    // Whoever compares the file with what they loaded finds it as it was.
    const timespec times[2] = {{0, UTIME_OMIT},
                               {static_cast<time_t>(record.before.modifiedSeconds),
                                static_cast<long>(record.before.modifiedNanoseconds)}};
    ::futimens(file.Fd(), times);
    return file.Sync();
}
