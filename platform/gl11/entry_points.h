// The GL 1.1 and GLU entry points that the scene, the shell and its pieces
// call, each with the layer's function that serves it: one list for whoever
// defines the gl* names over the layer (the page always, the desktop's route
// when it draws batched). GL11_ENTRY(result, name, parameters, arguments,
// layer function) is defined by the includer.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/gl11/fixed_function.h"

namespace gl11 {

inline void Color3f(GLfloat r, GLfloat g, GLfloat b) { Color4f(r, g, b, 1.0f); }
inline void Color4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    Color4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}
inline void Translated(GLdouble x, GLdouble y, GLdouble z)
{
    Translatef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}

}  // namespace gl11

#define GL11_ENTRY_POINTS                                                                                        \
    /* State */                                                                                                  \
    GL11_ENTRY(void, glEnable, (GLenum cap), (cap), gl11::Enable)                                                \
    GL11_ENTRY(void, glDisable, (GLenum cap), (cap), gl11::Disable)                                              \
    GL11_ENTRY(GLboolean, glIsEnabled, (GLenum cap), (cap), gl11::IsEnabled)                                     \
    GL11_ENTRY(GLenum, glGetError, (), (), gl11::GetError)                                                       \
    GL11_ENTRY(void, glGetFloatv, (GLenum p, GLfloat* v), (p, v), gl11::GetFloatv)                               \
    GL11_ENTRY(void, glGetIntegerv, (GLenum p, GLint* v), (p, v), gl11::GetIntegerv)                             \
    GL11_ENTRY(void, glGetPointerv, (GLenum p, void** v), (p, v), gl11::GetPointerv)                             \
    GL11_ENTRY(void, glShadeModel, (GLenum mode), (mode), gl11::ShadeModel)                                      \
    GL11_ENTRY(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode), gl11::PolygonMode)                 \
    GL11_ENTRY(void, glPolygonOffset, (GLfloat factor, GLfloat units), (factor, units), gl11::PolygonOffset)     \
    GL11_ENTRY(void, glBlendFunc, (GLenum s, GLenum d), (s, d), gl11::BlendFunc)                                 \
    GL11_ENTRY(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h), gl11::Viewport)         \
    GL11_ENTRY(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a),               \
               gl11::ClearColor)                                                                                 \
    GL11_ENTRY(void, glClear, (GLbitfield mask), (mask), gl11::Clear)                                            \
    GL11_ENTRY(void, glFlush, (), (), gl11::Flush)                                                               \
    GL11_ENTRY(void, glFinish, (), (), gl11::Finish)                                                              \
    /* Matrices */                                                                                               \
    GL11_ENTRY(void, glMatrixMode, (GLenum mode), (mode), gl11::MatrixMode)                                      \
    GL11_ENTRY(void, glLoadIdentity, (), (), gl11::LoadIdentity)                                                 \
    GL11_ENTRY(void, glLoadMatrixf, (const GLfloat* m), (m), gl11::LoadMatrixf)                                  \
    GL11_ENTRY(void, glMultMatrixf, (const GLfloat* m), (m), gl11::MultMatrixf)                                  \
    GL11_ENTRY(void, glPushMatrix, (), (), gl11::PushMatrix)                                                     \
    GL11_ENTRY(void, glPopMatrix, (), (), gl11::PopMatrix)                                                       \
    GL11_ENTRY(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), gl11::Translatef)               \
    GL11_ENTRY(void, glTranslated, (GLdouble x, GLdouble y, GLdouble z), (x, y, z), gl11::Translated)            \
    GL11_ENTRY(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), gl11::Scalef)                       \
    /* Lighting and colour */                                                                                    \
    GL11_ENTRY(void, glLightf, (GLenum l, GLenum p, GLfloat v), (l, p, v), gl11::Lightf)                         \
    GL11_ENTRY(void, glLightfv, (GLenum l, GLenum p, const GLfloat* v), (l, p, v), gl11::Lightfv)                \
    GL11_ENTRY(void, glMaterialfv, (GLenum f, GLenum p, const GLfloat* v), (f, p, v), gl11::Materialfv)          \
    GL11_ENTRY(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b), gl11::Color3f)                     \
    GL11_ENTRY(void, glColor4f, (GLfloat r, GLfloat g, GLfloat b, GLfloat a), (r, g, b, a), gl11::Color4f)       \
    GL11_ENTRY(void, glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a), gl11::Color4ub)     \
    /* Texture */                                                                                                \
    GL11_ENTRY(void, glBindTexture, (GLenum target, GLuint texture), (target, texture), gl11::BindTexture)       \
    GL11_ENTRY(void, glTexParameteri, (GLenum t, GLenum p, GLint v), (t, p, v), gl11::TexParameteri)             \
    GL11_ENTRY(void, glTexImage2D,                                                                               \
               (GLenum t, GLint l, GLint i, GLsizei w, GLsizei h, GLint b, GLenum f, GLenum y, const void* d),   \
               (t, l, i, w, h, b, f, y, d), gl11::TexImage2D)                                                    \
    /* Arrays and drawing */                                                                                     \
    GL11_ENTRY(void, glEnableClientState, (GLenum array), (array), gl11::EnableClientState)                      \
    GL11_ENTRY(void, glDisableClientState, (GLenum array), (array), gl11::DisableClientState)                    \
    GL11_ENTRY(void, glVertexPointer, (GLint n, GLenum t, GLsizei s, const void* p), (n, t, s, p),               \
               gl11::VertexPointer)                                                                              \
    GL11_ENTRY(void, glNormalPointer, (GLenum t, GLsizei s, const void* p), (t, s, p), gl11::NormalPointer)      \
    GL11_ENTRY(void, glTexCoordPointer, (GLint n, GLenum t, GLsizei s, const void* p), (n, t, s, p),             \
               gl11::TexCoordPointer)                                                                            \
    GL11_ENTRY(void, glInterleavedArrays, (GLenum f, GLsizei s, const void* p), (f, s, p),                       \
               gl11::InterleavedArrays)                                                                          \
    GL11_ENTRY(void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count),              \
               gl11::DrawArrays)                                                                                 \
    GL11_ENTRY(void, glDrawElements, (GLenum m, GLsizei n, GLenum t, const void* i), (m, n, t, i),               \
               gl11::DrawElements)                                                                               \
    /* GLU */                                                                                                    \
    GL11_ENTRY(void, gluPerspective, (GLdouble fovY, GLdouble aspect, GLdouble zNear, GLdouble zFar),            \
               (fovY, aspect, zNear, zFar), gl11::Perspective)                                                   \
    GL11_ENTRY(void, gluLookAt,                                                                                  \
               (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,       \
                GLdouble uy, GLdouble uz),                                                                       \
               (ex, ey, ez, cx, cy, cz, ux, uy, uz), gl11::LookAt)                                               \
    GL11_ENTRY(GLint, gluBuild2DMipmaps,                                                                         \
               (GLenum t, GLint i, GLsizei w, GLsizei h, GLenum f, GLenum y, const void* d),                     \
               (t, i, w, h, f, y, d), gl11::Build2DMipmaps)
