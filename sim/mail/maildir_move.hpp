// Moving a message file from one Maildir folder into another's cur/, keeping its unique name and
// flags, so that the message is never lost or doubled, not even when the process dies midway.
// On one file system the move is a single rename. Across file systems (rename fails with EXDEV)
// it is a journalled copy: a journal and a copy in the target's tmp/ (which readers skip), the
// copy linked into cur/, the source removed, then the journal. A journal left by a crash is
// finished or undone by recoverInterruptedMoves, which the store runs before it reads a Maildir.
//   auto moved = moveMaildirFile(message.file(), archive.folder(), &error);
#pragma once

#include "sim/mail/maildir.hpp"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace tintbox::sim::mail {

// The points between the steps of a move across file systems, in order.
enum class MoveStep {
    JournalWritten, // the journal names the source; nothing else changed
    CopyWritten,    // the copy in the target's tmp/ is complete and synced
    CopyPublished,  // the copy is linked into the target's cur/ (the source is still there)
    SourceRemoved,  // the source is gone; the tmp/ copy and the journal remain
    Finished,       // tmp/ copy and journal removed
};

// Only tests change these: they force the copying path as if rename had failed with EXDEV, and
// hear each step (a test can end the process there to see what a crash leaves).
struct MoveOptions {
    bool forceCopy{false};
    std::function<void(MoveStep)> afterStep;
};

// Moves the file into targetFolder's cur/ (made when missing). Refuses, changing nothing, when
// the target already has a file of that name or the file is in that folder already. nullopt
// with *error set (one line) on failure.
std::optional<MaildirFile> moveMaildirFile(const MaildirFile& file,
                                           const std::filesystem::path& targetFolder,
                                           std::string* error = nullptr,
                                           const MoveOptions& options = {});

// Finishes the moves that a crash interrupted in the tmp/ of each folder given (a published copy
// wins: the source is removed; an unpublished one is dropped: the source stays), and removes
// their leftovers. Returns how many journals it settled.
int recoverInterruptedMoves(const std::vector<std::filesystem::path>& folders);

} // namespace tintbox::sim::mail
