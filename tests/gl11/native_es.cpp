// The layer's ES table filled with the native driver's own entry points: the
// layer then draws with the same rasteriser as the fixed-function GL it imitates.
#define GL_GLEXT_PROTOTYPES
#include "gl11/layer_fixture.h"
#include "platform/gl11/es_api.h"

void UseNativeEs()
{
    gl11::es = gl11::EsApi{
        .Enable = glEnable, .Disable = glDisable, .BlendFunc = glBlendFunc, .PolygonOffset = glPolygonOffset,
        .Viewport = glViewport, .ClearColor = glClearColor, .Clear = glClear, .GetError = glGetError,
        .CreateShader = glCreateShader, .ShaderSource = glShaderSource, .CompileShader = glCompileShader,
        .GetShaderiv = glGetShaderiv, .GetShaderInfoLog = glGetShaderInfoLog, .DeleteShader = glDeleteShader,
        .CreateProgram = glCreateProgram, .AttachShader = glAttachShader,
        .LinkProgram = glLinkProgram, .GetProgramiv = glGetProgramiv, .GetProgramInfoLog = glGetProgramInfoLog,
        .UseProgram = glUseProgram, .GetUniformLocation = glGetUniformLocation, .Uniform1i = glUniform1i,
        .Uniform4fv = glUniform4fv, .UniformMatrix4fv = glUniformMatrix4fv, .GenVertexArrays = glGenVertexArrays,
        .BindVertexArray = glBindVertexArray, .GenBuffers = glGenBuffers, .BindBuffer = glBindBuffer,
        .BufferData = glBufferData, .VertexAttribPointer = glVertexAttribPointer,
        .EnableVertexAttribArray = glEnableVertexAttribArray, .DrawElements = glDrawElements,
        .GenTextures = glGenTextures, .ActiveTexture = glActiveTexture, .BindTexture = glBindTexture,
        .TexParameteri = glTexParameteri, .TexImage2D = glTexImage2D, .PixelStorei = glPixelStorei};
}
