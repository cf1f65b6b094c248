// OpenGL 1.1 headers on every platform (Windows needs its own header first).
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
#include <GL/gl.h>

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
