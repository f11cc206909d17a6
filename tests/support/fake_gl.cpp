#include "tests/support/fake_gl.h"
#include "tests/support/call_log.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

FakeGl fakeGl;

void resetFakeGl() {
    fakeGl = FakeGl{};
}

extern "C" {

void glClear(GLbitfield mask) {
    logCall("glClear", {double(mask)});
}
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    logCall("glClearColor", {r, g, b, a});
}
void glEnable(GLenum cap) {
    logCall("glEnable", {double(cap)});
}
void glDisable(GLenum cap) {
    logCall("glDisable", {double(cap)});
}
void glColorMaterial(GLenum face, GLenum mode) {
    logCall("glColorMaterial", {double(face), double(mode)});
}
void glCullFace(GLenum mode) {
    logCall("glCullFace", {double(mode)});
}
void glDepthMask(GLboolean flag) {
    logCall("glDepthMask", {double(flag)});
}
void glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    logCall("glViewport", {double(x), double(y), double(w), double(h)});
}
void glMatrixMode(GLenum mode) {
    logCall("glMatrixMode", {double(mode)});
}
void glLoadIdentity() {
    logCall("glLoadIdentity");
}
void glPushMatrix() {
    logCall("glPushMatrix");
}
void glPopMatrix() {
    logCall("glPopMatrix");
}
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    logCall("glTranslatef", {x, y, z});
}
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) {
    logCall("glRotatef", {a, x, y, z});
}
void glBegin(GLenum mode) {
    logCall("glBegin", {double(mode)});
}
void glEnd() {
    logCall("glEnd");
}
void glColor3f(GLfloat r, GLfloat g, GLfloat b) {
    logCall("glColor3f", {r, g, b});
}
void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
    logCall("glNormal3f", {x, y, z});
}
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
    logCall("glVertex3f", {x, y, z});
}
void glLightfv(GLenum light, GLenum name, const GLfloat* v) {
    logCall("glLightfv", {double(light), double(name), v[0], v[1], v[2], v[3]});
}
void glGetIntegerv(GLenum name, GLint* out) {
    logCall("glGetIntegerv", {double(name)});
    if (name == GL_VIEWPORT) {
        std::memcpy(out, fakeGl.viewport, sizeof fakeGl.viewport);
    }
}
void glGetDoublev(GLenum name, GLdouble* out) {
    logCall("glGetDoublev", {double(name)});
    if (name == GL_MODELVIEW_MATRIX) {
        std::memcpy(out, fakeGl.modelview, sizeof fakeGl.modelview);
    } else if (name == GL_PROJECTION_MATRIX) {
        std::memcpy(out, fakeGl.projection, sizeof fakeGl.projection);
    }
}
void glReadPixels(GLint x, GLint y, GLsizei w, GLsizei h, GLenum format, GLenum type, GLvoid* out) {
    logCall("glReadPixels",
            {double(x), double(y), double(w), double(h), double(format), double(type)});
    if (format == GL_DEPTH_COMPONENT && type == GL_FLOAT) {
        *static_cast<GLfloat*>(out) = fakeGl.depth;
    }
}
void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    logCall("gluPerspective", {fovy, aspect, zNear, zFar});
}
void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz,
               GLdouble ux, GLdouble uy, GLdouble uz) {
    logCall("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
}
GLint gluUnProject(GLdouble winX, GLdouble winY, GLdouble winZ, const GLdouble*, const GLdouble*,
                   const GLint*, GLdouble* objX, GLdouble* objY, GLdouble* objZ) {
    logCall("gluUnProject", {winX, winY, winZ});
    if (!fakeGl.unProjectOk) {
        return GL_FALSE;
    }
    *objX = fakeGl.unProjected[0];
    *objY = fakeGl.unProjected[1];
    *objZ = fakeGl.unProjected[2];
    return GL_TRUE;
}

} // extern "C"
