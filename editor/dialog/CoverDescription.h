#pragma once

#include "CoverPicture.h"

#include <QString>

// What the window says of a cover: its tooltip, one line each for its picture type, MIME type,
// pixel size (when its header gives one) and byte size; and the suffix a file of its bytes
// gets.
namespace CoverDescription {

QString ToolTip(const CoverPicture& cover);
// "Cover (front)", ...; "Picture type N" for a number ID3 does not name.
QString PictureTypeName(int pictureType);
// "jpg" for JPEG, "png" for PNG, the MIME subtype for other images ("gif", "webp"), "bin" for
// anything else.
QString FileSuffix(const std::string& mimeType);

} // namespace CoverDescription
