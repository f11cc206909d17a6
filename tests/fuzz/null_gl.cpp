// The OpenGL calls of Mesh::draw as do-nothing functions: drawing runs, and the sanitizers
// watch what it reads, without a window.
#include <GL/gl.h>

extern "C" {

void glPushMatrix() {}
void glPopMatrix() {}
void glTranslatef(GLfloat, GLfloat, GLfloat) {}
void glRotatef(GLfloat, GLfloat, GLfloat, GLfloat) {}
void glBegin(GLenum) {}
void glEnd() {}
void glColor3f(GLfloat, GLfloat, GLfloat) {}
void glNormal3f(GLfloat, GLfloat, GLfloat) {}
void glVertex3f(GLfloat, GLfloat, GLfloat) {}
void glDisableClientState(GLenum) {}

// The arrays are read as the driver would read them, so that the sanitizers see each corner.
static const GLfloat* interleaved = nullptr;
void glInterleavedArrays(GLenum, GLsizei, const GLvoid* pointer) {
    interleaved = static_cast<const GLfloat*>(pointer);
}
void glDrawArrays(GLenum, GLint first, GLsizei count) {
    volatile GLfloat sum = 0.0f;
    for (GLsizei i = 6 * first; i < 6 * (first + count); i++) {
        sum = sum + interleaved[i];
    }
}

} // extern "C"
