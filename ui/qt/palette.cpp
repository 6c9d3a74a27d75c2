#include "palette.h"

namespace {

struct RoleColors
{
    QPalette::ColorRole role;
    QRgb enabled; // active and inactive
    QRgb disabled;
};

// Fusion's light colours. Not the style's standardPalette(), which turns dark when the platform
// theme reports a dark appearance: the tints and the black anchor need the light face.
constexpr RoleColors lightFace[] = {
    { QPalette::WindowText, 0xff000000, 0xffbebebe },
    { QPalette::Button, 0xffefefef, 0xffefefef },
    { QPalette::Light, 0xffffffff, 0xffffffff },
    { QPalette::Midlight, 0xffcacaca, 0xffcacaca },
    { QPalette::Dark, 0xff9f9f9f, 0xffbebebe },
    { QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8 },
    { QPalette::Text, 0xff000000, 0xffbebebe },
    { QPalette::BrightText, 0xffffffff, 0xffffffff },
    { QPalette::ButtonText, 0xff000000, 0xffbebebe },
    { QPalette::Base, 0xffffffff, 0xffefefef },
    { QPalette::Window, 0xffefefef, 0xffefefef },
    { QPalette::Shadow, 0xff767676, 0xffb1b1b1 },
    { QPalette::Highlight, 0xff308cc6, 0xff919191 },
    { QPalette::HighlightedText, 0xffffffff, 0xffffffff },
    { QPalette::Link, 0xff0000ff, 0xff0000ff },
    { QPalette::LinkVisited, 0xffff00ff, 0xffff00ff },
    { QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7 },
    { QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc },
    { QPalette::ToolTipText, 0xff000000, 0xff000000 },
    { QPalette::PlaceholderText, 0x80000000, 0x80000000 },
};

} // namespace

QPalette standardPalette()
{
    QPalette palette;
    for (const auto &[role, enabled, disabled] : lightFace) {
        palette.setColor(QPalette::Active, role, QColor::fromRgba(enabled));
        palette.setColor(QPalette::Inactive, role, QColor::fromRgba(enabled));
        palette.setColor(QPalette::Disabled, role, QColor::fromRgba(disabled));
    }
    return palette;
}

QPalette tintedPalette(const QColor &background, const QColor &text)
{
    QPalette palette = standardPalette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    return palette;
}
