// The GL 1.1 and GLU entry points the scene calls, defined in this program so
// that they come before the driver's: each goes where g_sceneRoute says. The
// rest of GL, and the layer's ES calls, reach the driver directly.
#include "gl11/scene_route.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <dlfcn.h>

#include "platform/gl11/fixed_function.h"

SceneRoute g_sceneRoute = SceneRoute::Native;

void* DriverFunction(const char* name)
{
    if (void* function = dlsym(RTLD_NEXT, name)) return function;
    // Every GLU call lands here first, so the linker may have left GLU out.
    static void* const glu = dlopen("libGLU.so.1", RTLD_NOW | RTLD_LOCAL);
    return glu ? dlsym(glu, name) : nullptr;
}

namespace {

void Color3f(GLfloat r, GLfloat g, GLfloat b) { gl11::Color4f(r, g, b, 1.0f); }
void Color4ub(GLubyte r, GLubyte g, GLubyte b, GLubyte a) { gl11::Color4f(r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f); }

}  // namespace

#define ROUTED(result, name, parameters, arguments, layer)                                         \
    extern "C" result name parameters                                                              \
    {                                                                                              \
        static const auto driver = reinterpret_cast<result(*) parameters>(DriverFunction(#name)); \
        if (g_sceneRoute == SceneRoute::Layer) return layer arguments;                             \
        if (g_sceneRoute == SceneRoute::Nowhere) return result();                                  \
        return driver arguments;                                                                   \
    }

ROUTED(void, glEnable, (GLenum cap), (cap), gl11::Enable)
ROUTED(void, glDisable, (GLenum cap), (cap), gl11::Disable)
ROUTED(void, glShadeModel, (GLenum mode), (mode), gl11::ShadeModel)
ROUTED(void, glPolygonMode, (GLenum face, GLenum mode), (face, mode), gl11::PolygonMode)
ROUTED(void, glPolygonOffset, (GLfloat factor, GLfloat units), (factor, units), gl11::PolygonOffset)
ROUTED(void, glBlendFunc, (GLenum s, GLenum d), (s, d), gl11::BlendFunc)
ROUTED(void, glViewport, (GLint x, GLint y, GLsizei w, GLsizei h), (x, y, w, h), gl11::Viewport)
ROUTED(void, glClearColor, (GLclampf r, GLclampf g, GLclampf b, GLclampf a), (r, g, b, a), gl11::ClearColor)
ROUTED(void, glClear, (GLbitfield mask), (mask), gl11::Clear)
ROUTED(void, glFlush, (), (), gl11::Flush)
ROUTED(void, glMatrixMode, (GLenum mode), (mode), gl11::MatrixMode)
ROUTED(void, glLoadIdentity, (), (), gl11::LoadIdentity)
ROUTED(void, glPushMatrix, (), (), gl11::PushMatrix)
ROUTED(void, glPopMatrix, (), (), gl11::PopMatrix)
ROUTED(void, glTranslatef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), gl11::Translatef)
ROUTED(void, glScalef, (GLfloat x, GLfloat y, GLfloat z), (x, y, z), gl11::Scalef)
ROUTED(void, glLightf, (GLenum l, GLenum p, GLfloat v), (l, p, v), gl11::Lightf)
ROUTED(void, glLightfv, (GLenum l, GLenum p, const GLfloat* v), (l, p, v), gl11::Lightfv)
ROUTED(void, glMaterialfv, (GLenum f, GLenum p, const GLfloat* v), (f, p, v), gl11::Materialfv)
ROUTED(void, glColor3f, (GLfloat r, GLfloat g, GLfloat b), (r, g, b), Color3f)
ROUTED(void, glColor4ub, (GLubyte r, GLubyte g, GLubyte b, GLubyte a), (r, g, b, a), Color4ub)
ROUTED(void, glBindTexture, (GLenum target, GLuint texture), (target, texture), gl11::BindTexture)
ROUTED(void, glTexParameteri, (GLenum t, GLenum p, GLint v), (t, p, v), gl11::TexParameteri)
ROUTED(void, glEnableClientState, (GLenum array), (array), gl11::EnableClientState)
ROUTED(void, glDisableClientState, (GLenum array), (array), gl11::DisableClientState)
ROUTED(void, glVertexPointer, (GLint n, GLenum t, GLsizei s, const void* p), (n, t, s, p), gl11::VertexPointer)
ROUTED(void, glNormalPointer, (GLenum t, GLsizei s, const void* p), (t, s, p), gl11::NormalPointer)
ROUTED(void, glInterleavedArrays, (GLenum f, GLsizei s, const void* p), (f, s, p), gl11::InterleavedArrays)
ROUTED(void, glDrawArrays, (GLenum mode, GLint first, GLsizei count), (mode, first, count), gl11::DrawArrays)
ROUTED(void, glDrawElements, (GLenum m, GLsizei n, GLenum t, const void* i), (m, n, t, i), gl11::DrawElements)
ROUTED(void, gluPerspective, (GLdouble fovY, GLdouble aspect, GLdouble zNear, GLdouble zFar),
       (fovY, aspect, zNear, zFar), gl11::Perspective)
ROUTED(void, gluLookAt,
       (GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux, GLdouble uy,
        GLdouble uz),
       (ex, ey, ez, cx, cy, cz, ux, uy, uz), gl11::LookAt)
ROUTED(GLint, gluBuild2DMipmaps, (GLenum t, GLint i, GLsizei w, GLsizei h, GLenum f, GLenum y, const void* d),
       (t, i, w, h, f, y, d), gl11::Build2DMipmaps)
