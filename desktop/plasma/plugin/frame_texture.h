// The newest frame as a scene-graph texture, on the render thread: uploaded
// into a GL texture of our own where Qt draws with OpenGL (no copy of the
// frame is kept, so its slot can be handed back at once), a copied image
// otherwise. The one place that differs between Qt 5 and Qt 6.
#pragma once

#include <QSize>

class QQuickWindow;
class QSGTexture;

class FrameTexture {
public:
    FrameTexture() = default;
    ~FrameTexture();  // on the render thread, as scene-graph nodes are deleted
    FrameTexture(const FrameTexture&) = delete;
    FrameTexture& operator=(const FrameTexture&) = delete;

    // Takes the frame at `pixels` (R, G, B, A bytes, rows bottom-up, packed);
    // the texture to show, which changes when the size does.
    QSGTexture* Upload(QQuickWindow* window, const unsigned char* pixels, QSize size);

    QSGTexture* texture = nullptr;
    QSize size;
    unsigned int glName = 0;  // 0: the texture is an image's
};
