// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A private-profile (INI) file, read and written one key at a time.
//
// The file is handled as bytes: a write replaces or adds one line and leaves
// every other byte as it was, line ends included. Names and values are text
// in the system encoding; bytes that are not valid in it read back as the
// replacement character, or whole from readValue().
//
// Rules of the format as this class reads it:
// - A line whose first non-blank character is ';' is a comment. A ';'
//   anywhere else is data.
// - A line whose first non-blank character is '[' starts a section; its name
//   runs to the first ']' (or the line end) and is trimmed.
// - Any other line with a '=' is a key: the name before the first '=' and the
//   value after it, both trimmed. One pair of matching quotes (single or
//   double) around the whole value is removed. There are no escapes.
// - Section and key names match without regard to case. Keys before the first
//   section belong to none.
// - When a section appears more than once, the first of them that holds the
//   key is the one read and the one written. A key missing from all of them
//   is added to the first.
class ProfileFile
{
public:
    explicit ProfileFile(const QString &path);

    QString path() const { return m_path; }

    // A settings file is a few lines; one larger than this is neither read
    // nor rewritten (reading it would hold the start-up, and a rewrite
    // would turn a sparse file into real blocks).
    static constexpr qint64 largestFile = 1024 * 1024;
    // Whether the file at the path is larger than that; if so, says so in
    // one line on standard error.
    static bool refuseTooLarge(const QString &path);

    // The value, or the empty text when the file, the section or the key is
    // missing or the file cannot be read.
    QString readString(const QString &section, const QString &key) const;
    // The same value as the file holds its bytes.
    QByteArray readValue(const QString &section, const QString &key) const;

    // Replaces the key's line, or adds the key at the end of its section, or
    // adds the section at the end of the file; creates the folder and the file
    // when missing. New lines take the line end the file already uses (CR LF
    // in a new file). A value that the rules above would change (spaces at
    // its ends, or enclosing quotes) is stored inside double quotes.
    //
    // Returns false, leaving the file as it was, when the write fails, when an
    // existing file cannot be read or is read-only, or when a name or the
    // value could not be stored as one line (CR or LF in it, '=' in the key,
    // ']' in the section).
    bool writeString(const QString &section, const QString &key, const QString &value);

private:
    QString m_path;
};
