// The OpenGL ES 3.0 calls the fixed-function layer is built on, as a table of
// function pointers: the web build fills it with WebGL 2's, the layer's tests
// with the native driver's, so the same layer code runs on both.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

namespace gl11 {

struct EsApi {
    // --- Fixed state -------------------------------------------------------
    void (*Enable)(GLenum cap);
    void (*Disable)(GLenum cap);
    void (*BlendFunc)(GLenum source, GLenum destination);
    void (*PolygonOffset)(GLfloat factor, GLfloat units);
    void (*Viewport)(GLint x, GLint y, GLsizei width, GLsizei height);
    void (*ClearColor)(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
    void (*Clear)(GLbitfield mask);
    void (*Finish)();
    GLenum (*GetError)();
    void (*GetIntegerv)(GLenum pname, GLint* values);
    // --- Program -------------------------------------------------------------
    GLuint (*CreateShader)(GLenum type);
    void (*ShaderSource)(GLuint shader, GLsizei count, const GLchar* const* strings, const GLint* lengths);
    void (*CompileShader)(GLuint shader);
    void (*GetShaderiv)(GLuint shader, GLenum pname, GLint* value);
    void (*GetShaderInfoLog)(GLuint shader, GLsizei size, GLsizei* length, GLchar* log);
    void (*DeleteShader)(GLuint shader);
    GLuint (*CreateProgram)();
    void (*AttachShader)(GLuint program, GLuint shader);
    void (*LinkProgram)(GLuint program);
    void (*GetProgramiv)(GLuint program, GLenum pname, GLint* value);
    void (*GetProgramInfoLog)(GLuint program, GLsizei size, GLsizei* length, GLchar* log);
    void (*UseProgram)(GLuint program);
    GLint (*GetUniformLocation)(GLuint program, const GLchar* name);
    void (*Uniform1i)(GLint location, GLint value);
    void (*Uniform4fv)(GLint location, GLsizei count, const GLfloat* values);
    void (*UniformMatrix4fv)(GLint location, GLsizei count, GLboolean transpose, const GLfloat* values);
    // --- Vertex data -------------------------------------------------------------
    void (*GenVertexArrays)(GLsizei count, GLuint* arrays);
    void (*BindVertexArray)(GLuint array);
    void (*GenBuffers)(GLsizei count, GLuint* buffers);
    void (*BindBuffer)(GLenum target, GLuint buffer);
    void (*BufferData)(GLenum target, GLsizeiptr size, const void* data, GLenum usage);
    void (*BufferSubData)(GLenum target, GLintptr offset, GLsizeiptr size, const void* data);
    void (*VertexAttribPointer)(GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                                const void* offset);
    void (*EnableVertexAttribArray)(GLuint index);
    void (*DrawElements)(GLenum mode, GLsizei count, GLenum type, const void* offset);
    // --- Texture ------------------------------------------------------------------
    void (*GenTextures)(GLsizei count, GLuint* textures);
    void (*ActiveTexture)(GLenum unit);
    void (*BindTexture)(GLenum target, GLuint texture);
    void (*TexParameteri)(GLenum target, GLenum pname, GLint value);
    void (*TexImage2D)(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                       GLint border, GLenum format, GLenum type, const void* pixels);
    void (*PixelStorei)(GLenum pname, GLint value);
};

// Filled by the backend before the first Open.
extern EsApi es;

}  // namespace gl11
