#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace mivesk {

// The picture ":/pictures/<name>.png", loaded once and shared by every
// control that shows it. On a screen of more than 100 % it comes from the
// "<name>@2x.png" twin, brought to the screen's own density with smooth
// scaling where that is not exactly 200 %, at the same size in
// device-independent pixels.
QPixmap resourcePicture(const QString& name);

// The application icon of every window: each size of the icon set that the
// program carries.
QIcon applicationIcon();

} // namespace mivesk
