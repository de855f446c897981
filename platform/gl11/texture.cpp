// The one texture: the default texture object, which the layer keeps as an ES
// texture of its own; its parameters and images go to ES as they come.
#include "platform/gl11/fixed_function.h"
#include "platform/gl11/layer.h"

namespace gl11 {

void BindTexture(GLenum target, GLuint texture)
{
    if (target != GL_TEXTURE_2D) return SetError(GL_INVALID_ENUM);
    if (texture != 0) SetError(GL_INVALID_VALUE);  // only the default texture object lives here
}

void TexParameteri(GLenum target, GLenum pname, GLint value)
{
    if (target != GL_TEXTURE_2D) return SetError(GL_INVALID_ENUM);
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: case GL_TEXTURE_MAG_FILTER: case GL_TEXTURE_WRAP_S: case GL_TEXTURE_WRAP_T: break;
    default: return SetError(GL_INVALID_ENUM);
    }
    FlushBatch();
    es.TexParameteri(target, pname, value);
}

void TexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                GLenum format, GLenum type, const void* pixels)
{
    if (target != GL_TEXTURE_2D || format != GL_RGBA || type != GL_UNSIGNED_BYTE) return SetError(GL_INVALID_ENUM);
    if (internalFormat != GL_RGBA && internalFormat != 4 && internalFormat != GL_RGBA8)
        return SetError(GL_INVALID_VALUE);
    if (border != 0 || level < 0 || width < 0 || height < 0) return SetError(GL_INVALID_VALUE);
    FlushBatch();
    es.TexImage2D(target, level, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

}  // namespace gl11
