#include "tests/support/fake_gl.h"
#include "tests/support/call_log.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

FakeGl fakeGl;

void resetFakeGl() {
    fakeGl = FakeGl{};
}

namespace {

// Arguments go by value and the log entry is built only when logging is on, so a long run
// with logging off costs no allocation per call.
template <typename... Args> void record(const char* name, Args... args) {
    if (fakeGl.logging) {
        logCall(name, {double(args)...});
    }
}

} // namespace

extern "C" {

void glClear(GLbitfield mask) {
    record("glClear", mask);
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    record("glClearColor", r, g, b, a);
}
void glEnable(GLenum cap) {
    record("glEnable", cap);
}
void glDisable(GLenum cap) {
    record("glDisable", cap);
}
void glColorMaterial(GLenum face, GLenum mode) {
    record("glColorMaterial", face, mode);
}
void glCullFace(GLenum mode) {
    record("glCullFace", mode);
}
void glDepthMask(GLboolean flag) {
    record("glDepthMask", flag);
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    record("glViewport", x, y, w, h);
}
void glMatrixMode(GLenum mode) {
    record("glMatrixMode", mode);
}
void glLoadIdentity() {
    record("glLoadIdentity");
}
void glPushMatrix() {
    record("glPushMatrix");
}
void glPopMatrix() {
    record("glPopMatrix");
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    record("glTranslatef", x, y, z);
}
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) {
    record("glRotatef", a, x, y, z);
}
void glBegin(GLenum mode) {
    record("glBegin", mode);
}
void glEnd() {
    record("glEnd");
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    record("glColor3f", r, g, b);
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glNormal3f", x, y, z);
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    record("glVertex3f", x, y, z);
}
void glLightfv(GLenum light, GLenum name, const GLfloat* v) {
    record("glLightfv", light, name, v[0], v[1], v[2], v[3]);
}
void glGetIntegerv(GLenum name, GLint* out) {
    record("glGetIntegerv", name);
    if (name == GL_VIEWPORT) {
        std::memcpy(out, fakeGl.viewport, sizeof fakeGl.viewport);
    }
}
void glGetDoublev(GLenum name, GLdouble* out) {
    record("glGetDoublev", name);
    if (name == GL_MODELVIEW_MATRIX) {
        std::memcpy(out, fakeGl.modelview, sizeof fakeGl.modelview);
    } else if (name == GL_PROJECTION_MATRIX) {
        std::memcpy(out, fakeGl.projection, sizeof fakeGl.projection);
    }
}
void glReadPixels(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, GLvoid* out) {
    record("glReadPixels", x, y, w, h, format, type);
    if (format == GL_DEPTH_COMPONENT && type == GL_FLOAT) {
        *static_cast<GLfloat*>(out) = fakeGl.depth;
    }
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    record("gluPerspective", fovy, aspect, zNear, zFar);
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
               GLdouble ux, GLdouble uy, GLdouble uz) {
    record("gluLookAt", ex, ey, ez, cx, cy, cz, ux, uy, uz);
}
GLint gluUnProject(GLdouble winX, GLdouble winY, GLdouble winZ, const GLdouble*, const GLdouble*,
                   const GLint*, GLdouble* objX, GLdouble* objY, GLdouble* objZ) {
    record("gluUnProject", winX, winY, winZ);
    if (!fakeGl.unProjectOk) {
        return GL_FALSE;
    }
    *objX = fakeGl.unProjected[0];
    *objY = fakeGl.unProjected[1];
    *objZ = fakeGl.unProjected[2];
    return GL_TRUE;
}

} // extern "C"
