#pragma once
#include <QImage>
#include <QString>
#include <QStringList>

struct ProgramState;

// The map pictures of the maps folder: files ending in ".jpg", ".bmp" or ".gif" in any
// letter case. A map's title is its file name up to the first ".".
namespace MapFiles {

bool IsMapName(const QString& fileName);
// The maps in MapsFolder (and the shipped maps beside it, installed), sorted by name without
// regard to case.
QStringList List(const ProgramState& state);
QString Title(const QString& fileName);

// Reads MapsFolder + fileName; a null image when the file is missing or not a picture.
QImage Load(const ProgramState& state, const QString& fileName);

} // namespace MapFiles
