#pragma once
// The pictures of the voucher window's buttons, drawn here so the program carries no image files.

#include <QPixmap>

inline constexpr int kToolPictureCount = 20;

// Picture `index` of the tool bars' image list, 40 x 40: 7 close, 8 first, 9 previous, 10 next, 11 last,
// 15 settle; the others are plain frames kept for the list's numbering.
QPixmap ToolPicture(int index);

// The search buttons' glyphs, 24 x 24: 0 code, 1 name, 2 voucher number, 3 issue date, 4 payment date.
QPixmap SearchPicture(int index);
