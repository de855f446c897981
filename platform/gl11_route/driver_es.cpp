// The layer's ES table filled with the driver's own entry points: on an ES 3
// context they are ES's; on a compatibility context (the layer's tests) the
// layer then draws with the same rasteriser as the fixed function it imitates.
#define GL_GLEXT_PROTOTYPES
#include "platform/gl11/es_api.h"
#include "platform/gl11_route/route.h"

#define DRIVER(name) reinterpret_cast<decltype(&name)>(DriverFunction(#name))

namespace gl11route {

void UseDriverEs()
{
    gl11::es = gl11::EsApi{
        .Enable = DRIVER(glEnable), .Disable = DRIVER(glDisable), .BlendFunc = DRIVER(glBlendFunc),
        .PolygonOffset = DRIVER(glPolygonOffset), .Viewport = DRIVER(glViewport),
        .ClearColor = DRIVER(glClearColor), .Clear = DRIVER(glClear), .Finish = DRIVER(glFinish), .GetError = DRIVER(glGetError),
        .GetIntegerv = DRIVER(glGetIntegerv),
        .CreateShader = DRIVER(glCreateShader), .ShaderSource = DRIVER(glShaderSource),
        .CompileShader = DRIVER(glCompileShader), .GetShaderiv = DRIVER(glGetShaderiv),
        .GetShaderInfoLog = DRIVER(glGetShaderInfoLog), .DeleteShader = DRIVER(glDeleteShader),
        .CreateProgram = DRIVER(glCreateProgram), .AttachShader = DRIVER(glAttachShader),
        .LinkProgram = DRIVER(glLinkProgram), .GetProgramiv = DRIVER(glGetProgramiv),
        .GetProgramInfoLog = DRIVER(glGetProgramInfoLog), .UseProgram = DRIVER(glUseProgram),
        .GetUniformLocation = DRIVER(glGetUniformLocation), .Uniform1i = DRIVER(glUniform1i),
        .Uniform4fv = DRIVER(glUniform4fv), .UniformMatrix4fv = DRIVER(glUniformMatrix4fv),
        .GenVertexArrays = DRIVER(glGenVertexArrays), .BindVertexArray = DRIVER(glBindVertexArray),
        .GenBuffers = DRIVER(glGenBuffers), .BindBuffer = DRIVER(glBindBuffer), .BufferData = DRIVER(glBufferData),
        .BufferSubData = DRIVER(glBufferSubData),
        .VertexAttribPointer = DRIVER(glVertexAttribPointer),
        .EnableVertexAttribArray = DRIVER(glEnableVertexAttribArray), .DrawElements = DRIVER(glDrawElements),
        .GenTextures = DRIVER(glGenTextures), .ActiveTexture = DRIVER(glActiveTexture),
        .BindTexture = DRIVER(glBindTexture), .TexParameteri = DRIVER(glTexParameteri),
        .TexImage2D = DRIVER(glTexImage2D), .PixelStorei = DRIVER(glPixelStorei)};
}

}  // namespace gl11route
