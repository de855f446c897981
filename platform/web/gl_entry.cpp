// The GL 1.1 and GLU entry points the scene and the shell call, on the page:
// each hands over to the fixed-function layer. WebGL's own functions of the
// same names stay reachable to the layer as emscripten_gl* (webgl_api.cpp).
#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/gl11/fixed_function.h"

extern "C" {

// --- State ---------------------------------------------------------------------
void glEnable(GLenum cap) { gl11::Enable(cap); }
void glDisable(GLenum cap) { gl11::Disable(cap); }
GLboolean glIsEnabled(GLenum cap) { return gl11::IsEnabled(cap); }
GLenum glGetError() { return gl11::GetError(); }
void glGetFloatv(GLenum pname, GLfloat* values) { gl11::GetFloatv(pname, values); }
void glShadeModel(GLenum mode) { gl11::ShadeModel(mode); }
void glPolygonMode(GLenum face, GLenum mode) { gl11::PolygonMode(face, mode); }
void glPolygonOffset(GLfloat factor, GLfloat units) { gl11::PolygonOffset(factor, units); }
void glBlendFunc(GLenum source, GLenum destination) { gl11::BlendFunc(source, destination); }
void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { gl11::Viewport(x, y, width, height); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { gl11::ClearColor(r, g, b, a); }
void glClear(GLbitfield mask) { gl11::Clear(mask); }
void glFlush() { gl11::Flush(); }
void glFinish() { gl11::Flush(); }

// --- Matrices --------------------------------------------------------------------
void glMatrixMode(GLenum mode) { gl11::MatrixMode(mode); }
void glLoadIdentity() { gl11::LoadIdentity(); }
void glLoadMatrixf(const GLfloat* m) { gl11::LoadMatrixf(m); }
void glMultMatrixf(const GLfloat* m) { gl11::MultMatrixf(m); }
void glPushMatrix() { gl11::PushMatrix(); }
void glPopMatrix() { gl11::PopMatrix(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { gl11::Translatef(x, y, z); }
void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    gl11::Translatef(static_cast<GLfloat>(x), static_cast<GLfloat>(y), static_cast<GLfloat>(z));
}
void glScalef(GLfloat x, GLfloat y, GLfloat z) { gl11::Scalef(x, y, z); }

// --- Lighting and colour ---------------------------------------------------------
void glLightf(GLenum light, GLenum pname, GLfloat value) { gl11::Lightf(light, pname, value); }
void glLightfv(GLenum light, GLenum pname, const GLfloat* values) { gl11::Lightfv(light, pname, values); }
void glMaterialfv(GLenum face, GLenum pname, const GLfloat* values) { gl11::Materialfv(face, pname, values); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { gl11::Color4f(r, g, b, 1.0f); }
void glColor4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a)
{
    gl11::Color4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f);
}

// --- Texture ------------------------------------------------------------------------
void glBindTexture(GLenum target, GLuint texture) { gl11::BindTexture(target, texture); }
void glTexParameteri(GLenum target, GLenum pname, GLint value) { gl11::TexParameteri(target, pname, value); }
void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    gl11::TexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}

// --- Arrays and drawing ----------------------------------------------------------------
void glEnableClientState(GLenum array) { gl11::EnableClientState(array); }
void glDisableClientState(GLenum array) { gl11::DisableClientState(array); }
void glVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    gl11::VertexPointer(size, type, stride, pointer);
}
void glNormalPointer(GLenum type, GLsizei stride, const void* pointer) { gl11::NormalPointer(type, stride, pointer); }
void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer)
{
    gl11::TexCoordPointer(size, type, stride, pointer);
}
void glInterleavedArrays(GLenum format, GLsizei stride, const void* pointer)
{
    gl11::InterleavedArrays(format, stride, pointer);
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) { gl11::DrawArrays(mode, first, count); }
void glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    gl11::DrawElements(mode, count, type, indices);
}

// --- GLU ------------------------------------------------------------------------------
void gluPerspective(GLdouble fovY, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    gl11::Perspective(fovY, aspect, zNear, zFar);
}
void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY, GLdouble centreZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    gl11::LookAt(eyeX, eyeY, eyeZ, centreX, centreY, centreZ, upX, upY, upZ);
}
GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* pixels)
{
    return gl11::Build2DMipmaps(target, internalFormat, width, height, format, type, pixels);
}

}  // extern "C"
