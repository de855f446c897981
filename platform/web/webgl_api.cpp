// The layer's ES table on the page: WebGL 2's functions under the emscripten_gl*
// names, since the plain gl* names are the GL 1.1 entry points (gl_entry.cpp).
#include "platform/gl11/es_api.h"

extern "C" {
void emscripten_glEnable(GLenum);
void emscripten_glDisable(GLenum);
void emscripten_glBlendFunc(GLenum, GLenum);
void emscripten_glPolygonOffset(GLfloat, GLfloat);
void emscripten_glViewport(GLint, GLint, GLsizei, GLsizei);
void emscripten_glClearColor(GLfloat, GLfloat, GLfloat, GLfloat);
void emscripten_glClear(GLbitfield);
void emscripten_glFinish();
GLenum emscripten_glGetError();
void emscripten_glGetIntegerv(GLenum, GLint*);
GLuint emscripten_glCreateShader(GLenum);
void emscripten_glShaderSource(GLuint, GLsizei, const GLchar* const*, const GLint*);
void emscripten_glCompileShader(GLuint);
void emscripten_glGetShaderiv(GLuint, GLenum, GLint*);
void emscripten_glGetShaderInfoLog(GLuint, GLsizei, GLsizei*, GLchar*);
void emscripten_glDeleteShader(GLuint);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint, GLuint);
void emscripten_glLinkProgram(GLuint);
void emscripten_glGetProgramiv(GLuint, GLenum, GLint*);
void emscripten_glGetProgramInfoLog(GLuint, GLsizei, GLsizei*, GLchar*);
void emscripten_glUseProgram(GLuint);
GLint emscripten_glGetUniformLocation(GLuint, const GLchar*);
void emscripten_glUniform1i(GLint, GLint);
void emscripten_glUniform4fv(GLint, GLsizei, const GLfloat*);
void emscripten_glUniformMatrix4fv(GLint, GLsizei, GLboolean, const GLfloat*);
void emscripten_glGenVertexArrays(GLsizei, GLuint*);
void emscripten_glBindVertexArray(GLuint);
void emscripten_glGenBuffers(GLsizei, GLuint*);
void emscripten_glBindBuffer(GLenum, GLuint);
void emscripten_glBufferData(GLenum, GLsizeiptr, const void*, GLenum);
void emscripten_glBufferSubData(GLenum, GLintptr, GLsizeiptr, const void*);
void emscripten_glVertexAttribPointer(GLuint, GLint, GLenum, GLboolean, GLsizei, const void*);
void emscripten_glEnableVertexAttribArray(GLuint);
void emscripten_glDrawElements(GLenum, GLsizei, GLenum, const void*);
void emscripten_glGenTextures(GLsizei, GLuint*);
void emscripten_glActiveTexture(GLenum);
void emscripten_glBindTexture(GLenum, GLuint);
void emscripten_glTexParameteri(GLenum, GLenum, GLint);
void emscripten_glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void*);
void emscripten_glPixelStorei(GLenum, GLint);
}

namespace plat {

void UseWebGL()
{
    gl11::es = gl11::EsApi{
        .Enable = emscripten_glEnable,
        .Disable = emscripten_glDisable,
        .BlendFunc = emscripten_glBlendFunc,
        .PolygonOffset = emscripten_glPolygonOffset,
        .Viewport = emscripten_glViewport,
        .ClearColor = emscripten_glClearColor,
        .Clear = emscripten_glClear,
        .Finish = emscripten_glFinish,
        .GetError = emscripten_glGetError,
        .GetIntegerv = emscripten_glGetIntegerv,
        .CreateShader = emscripten_glCreateShader,
        .ShaderSource = emscripten_glShaderSource,
        .CompileShader = emscripten_glCompileShader,
        .GetShaderiv = emscripten_glGetShaderiv,
        .GetShaderInfoLog = emscripten_glGetShaderInfoLog,
        .DeleteShader = emscripten_glDeleteShader,
        .CreateProgram = emscripten_glCreateProgram,
        .AttachShader = emscripten_glAttachShader,
        .LinkProgram = emscripten_glLinkProgram,
        .GetProgramiv = emscripten_glGetProgramiv,
        .GetProgramInfoLog = emscripten_glGetProgramInfoLog,
        .UseProgram = emscripten_glUseProgram,
        .GetUniformLocation = emscripten_glGetUniformLocation,
        .Uniform1i = emscripten_glUniform1i,
        .Uniform4fv = emscripten_glUniform4fv,
        .UniformMatrix4fv = emscripten_glUniformMatrix4fv,
        .GenVertexArrays = emscripten_glGenVertexArrays,
        .BindVertexArray = emscripten_glBindVertexArray,
        .GenBuffers = emscripten_glGenBuffers,
        .BindBuffer = emscripten_glBindBuffer,
        .BufferData = emscripten_glBufferData,
        .BufferSubData = emscripten_glBufferSubData,
        .VertexAttribPointer = emscripten_glVertexAttribPointer,
        .EnableVertexAttribArray = emscripten_glEnableVertexAttribArray,
        .DrawElements = emscripten_glDrawElements,
        .GenTextures = emscripten_glGenTextures,
        .ActiveTexture = emscripten_glActiveTexture,
        .BindTexture = emscripten_glBindTexture,
        .TexParameteri = emscripten_glTexParameteri,
        .TexImage2D = emscripten_glTexImage2D,
        .PixelStorei = emscripten_glPixelStorei};
}

}  // namespace plat
