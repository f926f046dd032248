#pragma once

// Toolbar icons come from the freedesktop icon theme. A desktop without a theme of
// its own (a bare X server, a minimal Wayland compositor, offscreen) gets Breeze,
// which the setup script installs, so the buttons never show blank.
class IconTheme {
public:
    static void Ensure();
};
