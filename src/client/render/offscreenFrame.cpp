// Takes a size; gives a framebuffer object with colour and depth of that size (through the EXT
// framebuffer functions, asked of GLX), drawn into instead of the window and read back.
#include "render/offscreenFrame.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <cstring>
#include <vector>

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSEXTPROC genFramebuffers;
    PFNGLDELETEFRAMEBUFFERSEXTPROC deleteFramebuffers;
    PFNGLBINDFRAMEBUFFEREXTPROC bindFramebuffer;
    PFNGLGENRENDERBUFFERSEXTPROC genRenderbuffers;
    PFNGLDELETERENDERBUFFERSEXTPROC deleteRenderbuffers;
    PFNGLBINDRENDERBUFFEREXTPROC bindRenderbuffer;
    PFNGLRENDERBUFFERSTORAGEEXTPROC renderbufferStorage;
    PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC framebufferRenderbuffer;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC checkFramebufferStatus;
};

template <typename T>
static void ask(T* call, const char* name)
{
    *call = (T)glXGetProcAddressARB((const GLubyte*)name);
}

// Null when the context offers no framebuffer objects.
static const FramebufferCalls* framebufferCalls()
{
    static FramebufferCalls c;
    const char* extensions = (const char*)glGetString(GL_EXTENSIONS);
    if (!extensions || !strstr(extensions, "GL_EXT_framebuffer_object")) return nullptr;
    ask(&c.genFramebuffers, "glGenFramebuffersEXT");
    ask(&c.deleteFramebuffers, "glDeleteFramebuffersEXT");
    ask(&c.bindFramebuffer, "glBindFramebufferEXT");
    ask(&c.genRenderbuffers, "glGenRenderbuffersEXT");
    ask(&c.deleteRenderbuffers, "glDeleteRenderbuffersEXT");
    ask(&c.bindRenderbuffer, "glBindRenderbufferEXT");
    ask(&c.renderbufferStorage, "glRenderbufferStorageEXT");
    ask(&c.framebufferRenderbuffer, "glFramebufferRenderbufferEXT");
    ask(&c.checkFramebufferStatus, "glCheckFramebufferStatusEXT");
    bool all = c.genFramebuffers && c.deleteFramebuffers && c.bindFramebuffer && c.genRenderbuffers &&
               c.deleteRenderbuffers && c.bindRenderbuffer && c.renderbufferStorage && c.framebufferRenderbuffer &&
               c.checkFramebufferStatus;
    return all ? &c : nullptr;
}

bool openOffscreenFrame(OffscreenFrame* f, int width, int height, std::string& why)
{
    *f = OffscreenFrame();
    const FramebufferCalls* gl = framebufferCalls();
    if (!gl) {
        why = "this display draws into no off-screen pictures (no framebuffer objects)";
        return false;
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE_EXT, &largest);
    if (width > largest || height > largest) {
        why = "this display draws pictures of at most " + std::to_string(largest) + " pixels a side";
        return false;
    }
    f->width = width, f->height = height;
    gl->genFramebuffers(1, &f->framebuffer);
    gl->bindFramebuffer(GL_FRAMEBUFFER_EXT, f->framebuffer);
    gl->genRenderbuffers(1, &f->colour);
    gl->bindRenderbuffer(GL_RENDERBUFFER_EXT, f->colour);
    gl->renderbufferStorage(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
    gl->framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, f->colour);
    gl->genRenderbuffers(1, &f->depth);
    gl->bindRenderbuffer(GL_RENDERBUFFER_EXT, f->depth);
    gl->renderbufferStorage(GL_RENDERBUFFER_EXT, GL_DEPTH_COMPONENT24, width, height);
    gl->framebufferRenderbuffer(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, f->depth);
    GLenum status = gl->checkFramebufferStatus(GL_FRAMEBUFFER_EXT);
    gl->bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
    if (status == GL_FRAMEBUFFER_COMPLETE_EXT) return true;
    closeOffscreenFrame(f);
    why = "this display cannot draw an off-screen picture of that size";
    return false;
}

void useOffscreenFrame(const OffscreenFrame* f)
{
    const FramebufferCalls* gl = framebufferCalls();
    if (gl) gl->bindFramebuffer(GL_FRAMEBUFFER_EXT, f ? f->framebuffer : 0);
}

void readOffscreenFrame(const OffscreenFrame& f, unsigned char* rgb)
{
    size_t row = (size_t)f.width * 3;
    std::vector<unsigned char> bottomFirst(row * f.height);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, f.width, f.height, GL_RGB, GL_UNSIGNED_BYTE, bottomFirst.data());
    for (int y = 0; y < f.height; y++) memcpy(rgb + y * row, bottomFirst.data() + (f.height - 1 - y) * row, row);
}

void closeOffscreenFrame(OffscreenFrame* f)
{
    const FramebufferCalls* gl = framebufferCalls();
    if (gl && f->framebuffer) {
        gl->bindFramebuffer(GL_FRAMEBUFFER_EXT, 0);
        gl->deleteRenderbuffers(1, &f->colour);
        gl->deleteRenderbuffers(1, &f->depth);
        gl->deleteFramebuffers(1, &f->framebuffer);
    }
    *f = OffscreenFrame();
}
