// OpenGL 1.1 headers on every platform.
#pragma once

#if defined(_WIN32) && !defined(APIENTRY) && !defined(WINGDIAPI)
// The Windows GL header needs only opengl32's calling convention and import
// from <windows.h>; naming them here keeps the platform's header out of the
// renderer. They are dropped again so that <windows.h> can define its own.
#define APIENTRY __stdcall
#define WINGDIAPI __declspec(dllimport)
#include <GL/gl.h>
#undef APIENTRY
#undef WINGDIAPI
#else
#include <GL/gl.h>
#endif

// Debug builds report the first GL error after a step; release builds check
// nothing, as a frame never depends on a GL call's result.
#ifndef NDEBUG
#include <cstdio>
#define ZINTU_GL_CHECK(step)                                                                       \
    do {                                                                                           \
        const GLenum zintu_gl_error = glGetError();                                                \
        if (zintu_gl_error != GL_NO_ERROR) {                                                       \
            std::fprintf(stderr, "zintu: GL error 0x%04x after %s\n", zintu_gl_error, step);       \
        }                                                                                          \
    } while (0)
#else
#define ZINTU_GL_CHECK(step)                                                                       \
    do {                                                                                           \
    } while (0)
#endif
