// Frames into textures: glTexSubImage2D into a texture the scene graph
// wraps, or a copied QImage where the scene graph is not drawn with OpenGL.
// Qt 5 wraps a GL texture through the window, Qt 6 through its native interface.
#include "frame_texture.h"

#include <QImage>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QSGTexture>

namespace {

QSGTexture* WrapGlTexture(QQuickWindow* window, unsigned int name, QSize size)
{
#if QT_VERSION_MAJOR >= 6
    return QNativeInterface::QSGOpenGLTexture::fromNative(name, window, size);
#else
    return window->createTextureFromNativeObject(QQuickWindow::NativeObjectTexture, &name, 0, size);
#endif
}

bool DrawnWithOpenGL(QQuickWindow* window)
{
    const QSGRendererInterface* renderer = window->rendererInterface();
    return renderer && renderer->graphicsApi() == QSGRendererInterface::OpenGL && QOpenGLContext::currentContext();
}

}  // namespace

FrameTexture::~FrameTexture()
{
    delete texture;
    if (glName != 0 && QOpenGLContext::currentContext())
        QOpenGLContext::currentContext()->functions()->glDeleteTextures(1, &glName);
}

QSGTexture* FrameTexture::Upload(QQuickWindow* window, const unsigned char* pixels, QSize frameSize)
{
    if (!DrawnWithOpenGL(window)) {
        delete texture;
        const QImage frame(pixels, frameSize.width(), frameSize.height(), frameSize.width() * 4,
                           QImage::Format_RGBX8888);
        texture = window->createTextureFromImage(frame.copy());  // the slot is handed back after this
        size = frameSize;
        return texture;
    }
    QOpenGLFunctions* gl = QOpenGLContext::currentContext()->functions();
    GLint boundTexture = 0, alignment = 4;
    gl->glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
    gl->glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    gl->glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    if (glName == 0 || frameSize != size) {
        delete texture;
        texture = nullptr;
        if (glName == 0) gl->glGenTextures(1, &glName);
        gl->glBindTexture(GL_TEXTURE_2D, glName);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        gl->glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        gl->glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, frameSize.width(), frameSize.height(), 0, GL_RGBA,
                         GL_UNSIGNED_BYTE, pixels);
        size = frameSize;
        texture = WrapGlTexture(window, glName, size);
    } else {
        gl->glBindTexture(GL_TEXTURE_2D, glName);
        gl->glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    }
    gl->glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(boundTexture));
    gl->glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return texture;
}
