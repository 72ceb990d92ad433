/* camera_frame_door.h: the camera frames' scene block, read and written by the module's own code
 * for a host that drives the module (zkhost).
 *
 * Layout never calls this: it finds a module by _mod_descrip alone and reaches the frames through
 * the master's load and save. The module exports one more C function, ZK_CAMERA_FRAME_DOOR_NAME,
 * which hands out a table of functions built on the reader and writer the ZK:CameraFrame master
 * loads and saves its block with, so that a host can read a saved block into plain records, change
 * them and write a block the master loads, with no second copy of the block's format. The door
 * touches neither the master's frames nor its settings. */
#ifndef ZKTOOLS_CAMERA_FRAME_DOOR_H
#define ZKTOOLS_CAMERA_FRAME_DOOR_H

#include "lwhost/lwhost.h"

#ifdef __cplusplus
extern "C" {
#endif

#define ZK_CAMERA_FRAME_DOOR_NAME "ZkCameraFrameDoor"
#define ZK_CAMERA_FRAME_DOOR_VERSION 1

typedef struct st_ZkDoorGuides {
    unsigned int kinds; /* 1 thirds, 2 golden section, 4 cross, 8 diagonals */
    double opacity;     /* 0..1 */
    int titleSafe;
    double titleSafePercent;
    int actionSafe;
    double actionSafePercent;
    int burnIn;
} ZkDoorGuides;

/* Texts end with a zero; those read belong to the records read, those written to the caller. */
typedef struct st_ZkDoorFrame {
    const char *name;
    int active;
    unsigned int camera; /* the camera's item id as the block stores it (its low 32 bits) */
    double posX, posY;   /* the frame centre's offset from the image centre, camera pixels */
    double width;        /* camera pixels */
    double aspect;       /* width / height */
    double marginW, marginH; /* the margin band, a fraction of the width and of the height */
    double color[3];     /* 0..1 */
    double transparency; /* 0..1 */
    const char *memo;
    int focalLength;     /* shows the camera's focal length under the frame */
    double rotation;     /* radians */
    ZkDoorGuides guides;
} ZkDoorFrame;

typedef struct st_ZkDoorFrames {
    int count;
    ZkDoorFrame *frames;
    int combined; /* shading outside all frames */
    double combinedColor[3];
    double combinedTransparency;
    const char *extraText;
    int extraFlag;
} ZkDoorFrames;

typedef struct st_ZkFrameDoor {
    int version; /* ZK_CAMERA_FRAME_DOOR_VERSION */
    /* Reads a block as the master's load does (older versions too): new records, released with
     * release(), or null with *error set to the master's own message when the block is not one of
     * the frames'. A block that ends early keeps what was read whole, as the master's load does. */
    ZkDoorFrames *(*read)(const LWLoadState *load, const char **error);
    /* Writes the records as a block of the current version, as the master's save does (a null
     * text is written as the empty text; the master's load keeps at most 255 bytes of a text). */
    void (*write)(const ZkDoorFrames *frames, const LWSaveState *save);
    /* Frees what read() returned (null is ignored). */
    void (*release)(ZkDoorFrames *frames);
} ZkFrameDoor;

/* The type of the exported function; it never returns null. */
typedef const ZkFrameDoor *ZkCameraFrameDoorFunc(void);

#ifdef __cplusplus
}
#endif

#endif
