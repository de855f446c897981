// The window's back buffer on the page: the frame is drawn into a framebuffer
// with the depth the pixel format asks for (WebGL's own offers no 16 bits) and
// copied to the canvas at the swap.
#pragma once

namespace plat::page {

// On the current context, for a window's pixel format; sized by Resize.
void AttachBackBuffer(int depthBits);
void ResizeBackBuffer(int width, int height);
void ShowBackBuffer();
// After the page has had a turn: the browser may have bound its own buffer
// while it showed the canvas.
void BindBackBuffer();
void DetachBackBuffer();

}  // namespace plat::page
