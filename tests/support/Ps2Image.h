#pragma once

#include <QString>

// A small ISO 9660 image that hdl_dump reads as a PS2 game disc: the system identifier
// "PLAYSTATION", the label as its volume name, and a SYSTEM.CNF whose BOOT2 line names the
// startup. The rest up to sizeKb is a hole in the file, so large games cost no disk space.
// contentSeed makes the data of one image differ from another's.
// Measured: the real builds' cdvd_info2 says "?" for an image whose PVD application-use bytes
// hold blanks, as ISO writers leave them, and "DVD" when they are zeros.
enum class ImageMedia { Unknown, Dvd };
bool WritePs2Image(const QString& path, const QString& startup, const QString& label, qint64 sizeKb,
                   char contentSeed = 'A', ImageMedia media = ImageMedia::Unknown);
