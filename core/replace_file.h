// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 Korvanis developers
#pragma once

#include <QByteArray>
#include <QString>

// Replaces a file's contents as one step: the new bytes go to a private file
// ".<name>.<pid>" beside it, are synced, and take the name with a rename, so a
// crash or a full disk leaves the old file whole. The new file keeps the old
// one's mode. Returns false, with the old file untouched and nothing left
// behind, when any step fails.
//
// A copy killed between the steps leaves its private file; the next replace of
// the same file removes those of processes that no longer run, never one that
// another running copy is still writing.
bool ReplaceFileContents(const QString& fileName, const QByteArray& bytes);
