#pragma once
// The maker's name and support lines: the caption of the dialogs, the main window's bottom banner, and
// the main window's caption until start-up replaces it.

#include <QString>

inline QString MakerBanner() {
    return QStringLiteral("Zubra Sistemas - Suporte: (16) 3322-4455 / (16) 99123-4567");
}
