// Writing a file whole or not at all: a failed save leaves the old file as it was.
#pragma once

#include <QByteArray>
#include <QString>

// Writes bytes beside the target and renames the copy over it only when every byte reached the
// disk. False with the toolkit's error text when anything failed; the old file is untouched.
bool WriteWholeFile(const QString& fileName, const QByteArray& bytes, QString& error);

// The same for a save the user asked for: a failure is told as "Cannot save <file>: <reason>",
// the one wording of every window.
bool SaveWholeFile(const QString& fileName, const QByteArray& bytes);
