// The OpenGL 3 framebuffer calls of the scene target. Where the GL library
// exports them (Linux), glext's prototypes stand. Windows' opengl32.dll
// exports OpenGL 1.1 alone: there each name below calls the current
// context's own function, looked up by name (plat::GLProcAddress) at the call.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#if defined(_WIN32)
#include "platform/platform.h"

#define NORVEX_GL_CALL(type, name) (reinterpret_cast<type>(plat::GLProcAddress(#name)))
#define glBindFramebuffer NORVEX_GL_CALL(PFNGLBINDFRAMEBUFFERPROC, glBindFramebuffer)
#define glBindRenderbuffer NORVEX_GL_CALL(PFNGLBINDRENDERBUFFERPROC, glBindRenderbuffer)
#define glBlitFramebuffer NORVEX_GL_CALL(PFNGLBLITFRAMEBUFFERPROC, glBlitFramebuffer)
#define glCheckFramebufferStatus NORVEX_GL_CALL(PFNGLCHECKFRAMEBUFFERSTATUSPROC, glCheckFramebufferStatus)
#define glDeleteFramebuffers NORVEX_GL_CALL(PFNGLDELETEFRAMEBUFFERSPROC, glDeleteFramebuffers)
#define glDeleteRenderbuffers NORVEX_GL_CALL(PFNGLDELETERENDERBUFFERSPROC, glDeleteRenderbuffers)
#define glFramebufferRenderbuffer NORVEX_GL_CALL(PFNGLFRAMEBUFFERRENDERBUFFERPROC, glFramebufferRenderbuffer)
#define glGenFramebuffers NORVEX_GL_CALL(PFNGLGENFRAMEBUFFERSPROC, glGenFramebuffers)
#define glGenRenderbuffers NORVEX_GL_CALL(PFNGLGENRENDERBUFFERSPROC, glGenRenderbuffers)
#define glRenderbufferStorage NORVEX_GL_CALL(PFNGLRENDERBUFFERSTORAGEPROC, glRenderbufferStorage)
#define glRenderbufferStorageMultisample \
    NORVEX_GL_CALL(PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC, glRenderbufferStorageMultisample)
#endif
