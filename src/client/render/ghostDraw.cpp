// Takes the ghost's state at the rider's time; draws the ghost's rider see-through and the gap to
// it for the HUD, from the ghost's own model and pose: the rider's are not touched.
#include "render/ghostDraw.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "run/ghostRun.h"
#include "render/skierDraw.h"
#include "shell/playerRun.h"
#include "skier/ghostRider.h"
#include "skier/skierCar.h"

static const float GHOST_ALPHA = 0.45f;
static const float GAP_SHOWN_LEVEL = 0.05f;  // closer than this reads "+0.0"

void loadGhostForRun(const char* trackDir, short wanted)
{
    if (!prepareGhostRun(playerRun, loadedTrack, trackDir, wanted)) return;
    if (chargeGhostRider(ghostRun.rider) != 0) {
        printf("Ghost rider %s not loaded: riding without a ghost\n", ghostRun.rider);
        dropGhostRun();
    }
}

static void placeGhost(const RunSample& g)
{
    glTranslatef(g.pos[0], g.pos[1], g.pos[2]);
    glRotatef(-g.yaw, 0, 1, 0);
    if (g.pitch != 0) glRotatef(g.pitch, 0, 0, 1);
    if (g.roll != 0) glRotatef(g.roll, 1, 0, 0);
    if (g.flags & sampleFakie) glRotatef(180, 0, 1, 0);
    if (g.tumble != 0) glRotatef(g.tumble, 0, 0, 1);
}

// Depth first, colour second: the see-through body shows only its front, not its own inside.
static void drawSeeThrough(const RiderPose& pose, int contact)
{
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_CURRENT_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    drawSkierAfterTransformEtat(pose, ghostRider.model, 0, contact);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1, 1, 1, GHOST_ALPHA);  // the diffuse colour follows it: the lit alpha
    drawSkierAfterTransformEtat(pose, ghostRider.model, 1, contact);
    glPopAttrib();
}

void drawGhost(const RunSample& g)
{
    if (!ghostRider.loaded) return;
    beginGhostPose(&ghostRider, g);
    glPushMatrix();
    placeGhost(g);
    drawSeeThrough(ghostRider.pose, g.flags & sampleContact);
    glPopMatrix();
}

void formatGhostGap(char* out, float gap)
{
    if (fabsf(gap) < GAP_SHOWN_LEVEL) gap = 0;
    snprintf(out, 16, "Ghost %+.1f", gap);  // named: the HUD's other numbers are the rider's own
}

int ghostGapText(char* out)
{
    float gap;
    if (!ghostGapNow(shownRun(), &gap)) return 0;
    formatGhostGap(out, gap);
    return 1;
}
