#include "tests/support/fake_glfw.h"

#include <GL/gl.h>
#include <GL/glu.h>

FakeGl fakeGl;

// A stand-in that logs its name and the listed arguments.
#define FAKE(name, params, ...)                                                                    \
    void name params {                                                                             \
        record(#name __VA_OPT__(, ) __VA_ARGS__);                                                  \
    }

extern "C" {

FAKE(glClear, (GLbitfield mask), mask)
FAKE(glClearColor, (GLclampf, GLclampf, GLclampf, GLclampf))
FAKE(glEnable, (GLenum cap), cap)
FAKE(glDisable, (GLenum cap), cap)
FAKE(glColorMaterial, (GLenum, GLenum))
FAKE(glCullFace, (GLenum))
FAKE(glDepthMask, (GLboolean))
FAKE(glViewport, (GLint, GLint, GLsizei, GLsizei))
FAKE(glMatrixMode, (GLenum mode), mode)
FAKE(glLoadIdentity, ())
FAKE(glPushMatrix, ())
FAKE(glPopMatrix, ())
FAKE(glTranslatef, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
FAKE(glRotatef, (GLfloat a, GLfloat x, GLfloat y, GLfloat z), a, x, y, z)
FAKE(glBegin, (GLenum mode), mode)
FAKE(glEnd, ())
FAKE(glColor3f, (GLfloat r, GLfloat g, GLfloat b), r, g, b)
FAKE(glNormal3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
FAKE(glVertex3f, (GLfloat x, GLfloat y, GLfloat z), x, y, z)
FAKE(glLightfv, (GLenum light, GLenum name, const GLfloat* v), light, name, v[0], v[1], v[2], v[3])
FAKE(glDisableClientState, (GLenum array), array)
FAKE(glGenTextures, (GLsizei, GLuint* names), names[0] = 1)
FAKE(glBindTexture, (GLenum, GLuint))
FAKE(glPixelStorei, (GLenum, GLint))
FAKE(glTexParameteri, (GLenum, GLenum, GLint))
FAKE(glTexImage2D, (GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const GLvoid*))
FAKE(glTexSubImage2D,
     (GLenum, GLint, GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, const GLvoid*))
FAKE(glTexEnvi, (GLenum, GLenum, GLint))
FAKE(glTexCoord2f, (GLfloat, GLfloat))
FAKE(glScissor, (GLint, GLint, GLsizei, GLsizei))
FAKE(glDepthFunc, (GLenum))
FAKE(glFlush, ())
FAKE(glColor3fv, (const GLfloat* v), v[0], v[1], v[2])
FAKE(glVertex2d, (GLdouble x, GLdouble y), x, y)
FAKE(glOrtho, (GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble))

// Array drawing is logged as what it draws: each corner's normal and position.
static const GLfloat* interleaved = nullptr;
void glInterleavedArrays(GLenum, GLsizei, const GLvoid* pointer) {
    interleaved = static_cast<const GLfloat*>(pointer);
}
void glDrawArrays(GLenum mode, GLint first, GLsizei count) {
    record("glDrawArrays", mode, count);
    for (GLsizei i = first; i < first + count; ++i) {
        const GLfloat* c = interleaved + 6 * i;
        record("glNormal3f", c[0], c[1], c[2]);
        record("glVertex3f", c[3], c[4], c[5]);
    }
}

// The pick's read-backs answer nothing: the unprojection below ignores what they fetch.
FAKE(glGetIntegerv, (GLenum, GLint*))
FAKE(glGetDoublev, (GLenum, GLdouble*))
FAKE(glReadPixels, (GLint, GLint, GLsizei, GLsizei, GLenum, GLenum, GLvoid*))
FAKE(gluPerspective, (GLdouble fovy, GLdouble aspect, GLdouble, GLdouble), fovy, aspect)
FAKE(gluLookAt,
     (GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble))

// Answers even when it fails, so that using the answer of a failed unprojection shows.
GLint gluUnProject(GLdouble, GLdouble, GLdouble, const GLdouble*, const GLdouble*, const GLint*,
                   GLdouble* x, GLdouble* y, GLdouble* z) {
    *x = fakeGl.unProjected[0];
    *y = fakeGl.unProjected[1];
    *z = fakeGl.unProjected[2];
    return fakeGl.unProjectOk ? GL_TRUE : GL_FALSE;
}

// Seen from straight above: x to the right, z down the window.
GLint gluProject(GLdouble x, GLdouble, GLdouble z, const GLdouble*, const GLdouble*, const GLint*,
                 GLdouble* windowX, GLdouble* windowY, GLdouble* windowZ) {
    *windowX = x;
    *windowY = -z;
    *windowZ = 0.0;
    return GL_TRUE;
}

} // extern "C"
