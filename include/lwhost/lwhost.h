// lwhost.h: the host interface of LightWave 3D Layout, as its plug-ins see it.
//
// C declarations of the records, function tables, constants and service names through which Layout
// and a plug-in module talk. Layout fills and reads these records by their binary layout, so each
// record is declared whole, with every member at the offset and with the type that Layout uses, on
// 64-bit Windows (LLP64) and on x86-64 Linux (LP64) alike; members this module never calls are
// declared too, so that the ones after them sit where Layout puts them. Record and member names are
// the host's own; where this module's name for a record differs, both names are declared.
// tests/unit_abi_layout.cpp pins every size, alignment, offset and constant.
//
// Item, channel and group identifiers are opaque pointer-sized values. This module prints them with
// "0x%x" and stores their low 32 bits in its scene blocks.
#ifndef LWHOST_LWHOST_H
#define LWHOST_LWHOST_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Basic types ------------------------------------------------------------------------------- */

typedef void *LWItemID;
typedef void *LWChannelID;
typedef void *LWChanGroupID;
typedef void *LWInstance;
typedef const char *LWError;
typedef double LWTime;
typedef int LWFrame;
typedef double LWDVector[3];
typedef float LWFVector[3];
typedef unsigned int LWID;
typedef int LWItemType;
typedef int LWCommandCode;

#define LWITEM_NULL ((LWItemID)0)
#define LWID_(a, b, c, d) ((((unsigned int)(a)) << 24) | (((unsigned int)(b)) << 16) | (((unsigned int)(c)) << 8) | ((unsigned int)(d)))

/* Records this module only passes along, never reads. */
typedef union un_DynaValue DynaValue;
typedef struct st_LWNameChangeData LWNameChangeData;
typedef struct st_LWMonitor LWMonitor;
typedef struct st_LWMeshInfo LWMeshInfo;
typedef struct st_LWMesh LWMesh;
typedef struct st_LWPnt LWPnt;
typedef struct st_LWPol LWPol;
typedef struct st_LWBoneWeight LWBoneWeight;
typedef struct st_LWFrameTimingInfo LWFrameTimingInfo;
typedef struct st_LWPicking LWPicking;
typedef struct st_LWXPDrawFuncs LWXPDrawFuncs;
/* The host's private part of a channel access record. */
typedef struct st_LWChannelAccessPriv LWChannelAccessPriv;
/* Enumerations of the host, int-sized; this module passes them along only. */
typedef int LWRotationOrder;
typedef int LWCameraEye;
typedef int LWCameraOverscan;

/* Global lookup: service name with version, use mode; returns the service table or null. */
typedef void *GlobalFunc(const char *serviceName, int useMode);
#define GFUSE_TRANSIENT 0
#define GFUSE_ACQUIRE 1
#define GFUSE_RELEASE 2

/* ---- Module descriptor and servers ------------------------------------------------------------ */

typedef int ActivateFunc(int version, GlobalFunc *global, void *local, void *serverData);

#define AFUNC_OK 0
#define AFUNC_BADVERSION 1
#define AFUNC_BADGLOBAL 2
#define AFUNC_BADLOCAL 3
#define AFUNC_BADAPP 4
#define AFUNC_BADAPP_SILENT 5

#define SRVTAG_USERNAME 0u
#define SRVTAG_BUTTONNAME 0x10000u
#define SRVTAG_DESCRIPTION 0x40000u
#define LANGID_USENGLISH 0x0409u
#define LANGID_JAPANESE 0x0411u
#define LWLOC_LANGID 0xFFFFu

typedef struct st_ServerTagInfo {
    const char *string;
    unsigned int tag;
} ServerTagInfo;

typedef struct st_ServerRecord {
    const char *className;
    const char *name;
    ActivateFunc *activate;
    ServerTagInfo *tagInfo;
} ServerRecord;

typedef struct st_ModuleDescriptor {
    unsigned int sysSync;
    unsigned int sysVersion;
    unsigned int sysMachine;
    void *(*startup)(void);
    void (*shutdown)(void *serverData);
    ServerRecord *serverDefs;
} ModuleDescriptor;

#define MOD_SYSSYNC 0x04121994u
#define MOD_SYSVER 3u
#if defined(_WIN64)
#define MOD_MACHINE 0x300u
#else
#define MOD_MACHINE 0x500u
#endif

/* Server classes and the versions this module serves. */
#define LWLAYOUTGENERIC_CLASS "LayoutGeneric"
#define LWLAYOUTGENERIC_VERSION 7
#define LWCHANNEL_HCLASS "ChannelHandler"
#define LWCHANNEL_ICLASS "ChannelInterface"
#define LWCHANNEL_VERSION 5
#define LWMASTER_HCLASS "MasterHandler"
#define LWMASTER_ICLASS "MasterInterface"
#define LWMASTER_GCLASS "MasterGizmo"
#define LWMASTER_VERSION 5
#define LWINTERFACE_VERSION 5
#define LWGIZMO_VERSION 5
#define LWIMAGEFILTER_HCLASS "ImageFilterHandler"
#define LWIMAGEFILTER_VERSION 7
#define LWLAYOUTTOOL_CLASS "LayoutTool"
#define LWLAYOUTTOOL_VERSION 4

/* ---- Scene load and save states --------------------------------------------------------------- */

/* Identifies a block of a scene file: a four-letter identifier and the token written for it. */
typedef struct st_LWBlockIdent {
    LWID id;
    const char *token;
} LWBlockIdent;

/* Each read returns the number of values read (0 or less when the block has no such item). In a text
   scene each write call is a line of its own holding its values, and a read takes its values from the
   next line. beginBlk/endBlk nest a named block; findBlk enters the next block whose identifier is in
   a list ended by an entry with id 0 (0 when there is none), and endBlk leaves it, skipping what the
   reader did not read. */
typedef struct st_LWLoadState {
    int ioMode;
    void *readData;
    int (*read)(void *readData, char *bytes, int count);
    int (*readI1)(void *readData, char *values, int count);
    int (*readI2)(void *readData, short *values, int count);
    int (*readI4)(void *readData, int *values, int count);
    int (*readU1)(void *readData, unsigned char *values, int count);
    int (*readU2)(void *readData, unsigned short *values, int count);
    int (*readU4)(void *readData, unsigned int *values, int count);
    int (*readFP)(void *readData, float *values, int count);
    int (*readStr)(void *readData, char *buffer, int maxLength);
    LWID (*readID)(void *readData, const LWBlockIdent *idList);
    LWID (*findBlk)(void *readData, const LWBlockIdent *idList);
    void (*endBlk)(void *readData);
    int (*depth)(void *readData);
    int (*readDP)(void *readData, double *values, int count);
} LWLoadState;

typedef struct st_LWSaveState {
    int ioMode;
    void *writeData;
    void (*write)(void *writeData, const char *bytes, int count);
    void (*writeI1)(void *writeData, const char *values, int count);
    void (*writeI2)(void *writeData, const short *values, int count);
    void (*writeI4)(void *writeData, const int *values, int count);
    void (*writeU1)(void *writeData, const unsigned char *values, int count);
    void (*writeU2)(void *writeData, const unsigned short *values, int count);
    void (*writeU4)(void *writeData, const unsigned int *values, int count);
    void (*writeFP)(void *writeData, const float *values, int count);
    void (*writeStr)(void *writeData, const char *text);
    void (*writeID)(void *writeData, const LWBlockIdent *id);
    void (*beginBlk)(void *writeData, const LWBlockIdent *id, int leaf);
    void (*endBlk)(void *writeData);
    int (*depth)(void *writeData);
    void (*writeDP)(void *writeData, const double *values, int count);
} LWSaveState;

#define LWIO_OBJECT 0
#define LWIO_SCENE 1
#define LWIO_BINARY 0
#define LWIO_ASCII 1

/* ---- Handler records -------------------------------------------------------------------------- */

typedef struct st_LWInstanceFuncs {
    void *priv;
    LWInstance (*create)(void *priv, void *context, LWError *error);
    void (*destroy)(LWInstance inst);
    LWError (*copy)(LWInstance to, LWInstance from);
    LWError (*load)(LWInstance inst, const LWLoadState *load);
    LWError (*save)(LWInstance inst, const LWSaveState *save);
    const char *(*descln)(LWInstance inst);
} LWInstanceFuncs;

typedef struct st_LWItemFuncs {
    const LWItemID *(*useItems)(LWInstance inst);
    void (*changeID)(LWInstance inst, const LWItemID *idList);
    void (*changeName)(LWInstance inst, const LWNameChangeData *names);
} LWItemFuncs;

/* Master handler. */
typedef struct st_LWMasterAccess {
    int eventCode;
    void *eventData;
    void *data;
    LWCommandCode (*lookup)(void *data, const char *commandName);
    int (*execute)(void *data, LWCommandCode code, int argc, const DynaValue *argv, DynaValue *result);
    int (*evaluate)(void *data, const char *command);
} LWMasterAccess;

#define LWEVNT_NOTHING 0
#define LWEVNT_COMMAND 1
#define LWEVNT_TIME 2
#define LWEVNT_SELECT 3
#define LWEVNT_RENDER_DONE 4

#define LWMAST_SCENE 0
#define LWMAST_LAYOUT 1

#define LWMASTF_LAYOUT 1u
#define LWMASTF_RECEIVE_NOTIFICATIONS 2u

typedef struct st_LWMasterHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs *item;
    int type;
    double (*event)(LWInstance inst, const LWMasterAccess *access);
    unsigned int (*flags)(LWInstance inst);
} LWMasterHandler;

/* Interface (MasterInterface, ChannelInterface). */
typedef struct st_LWXPanel *LWXPanelID;

typedef struct st_LWInterface {
    LWInstance inst;
    LWXPanelID panel;
    LWError (*options)(LWInstance inst);
    LWError (*command)(LWInstance inst, const char *command);
} LWInterface;

/* Custom drawing access (gizmos, tools). */
#define LWCSYS_WORLD 0
#define LWCSYS_OBJECT 1
#define LWCSYS_ICON 2
#define LWCSYS_VIEWPORT 3

#define LWLPAT_SOLID 0
#define LWLPAT_DOT 1
#define LWLPAT_DASH 2
#define LWLPAT_LONGDOT 3
#define LWJUST_LEFT 0
#define LWJUST_CENTER 1
#define LWJUST_RIGHT 2

#define LWDRAWMODE_CULLFACE 1u
#define LWDRAWMODE_OUTLINE 2u
#define LWDRAWMODE_DEPTHTEST 4u
#define LWDRAWMODE_DEPTHWRITE 8u
#define LWDRAWMODE_SMOOTH 16u

#define LWCOFL_SELECTED 1
#define LWCOFL_PICKING 2

typedef struct st_LWCustomObjAccess {
    int view;
    int flags;
    void *dispData;
    void (*setColor)(void *dispData, float rgba[4]);
    void (*setPattern)(void *dispData, int linePattern);
    void (*setTexture)(void *dispData, int size, unsigned char *rgbaBytes);
    void (*setUVs)(void *dispData, double uv0[2], double uv1[2], double uv2[2], double uv3[2]);
    void (*point)(void *dispData, LWDVector p, int csys);
    void (*line)(void *dispData, LWDVector a, LWDVector b, int csys);
    void (*triangle)(void *dispData, LWDVector a, LWDVector b, LWDVector c, int csys);
    void (*quad)(void *dispData, LWDVector a, LWDVector b, LWDVector c, LWDVector d, int csys);
    void (*circle)(void *dispData, LWDVector center, double radius, int csys);
    void (*text)(void *dispData, LWDVector p, const char *text, int justify, int csys);
    LWDVector viewPos;
    LWDVector viewDir;
    void (*setCSysItem)(void *dispData, LWItemID item);
    void (*polygon)(void *dispData, unsigned int numv, LWDVector *points, int csys);
    void (*polyIndexed)(void *dispData, unsigned int numv, unsigned int *indices, LWDVector *points, int csys);
    void (*setDrawMode)(void *dispData, unsigned int mode);
    void (*disk)(void *, double *, double, int);
    void (*setPart)(void *, unsigned int);
    int (*measureText)(void *, const char *, int *, int *, int *);
    void (*setThickness)(void *, float, float);
    void (*circle2)(void *, double *, int, double, int);
    void (*disk2)(void *, double *, int, double, int);
    void (*setColorCC)(void *, float *);
    void (*getColor)(void *, unsigned int, float *);
    void (*pushMatrix)(void *, double (*) [4]);
    void (*popMatrix)(void *);
    void (*lineStrip)(void *, unsigned int, double (*) [3], int);
    void (*lineLoop)(void *, unsigned int, double (*) [3], int);
} LWCustomObjAccess;

/* Master gizmo and Layout tool. */
typedef struct st_LWToolEvent {
    LWDVector posRaw;
    LWDVector posSnap;
    LWDVector deltaRaw;
    LWDVector deltaSnap;
    LWDVector axis;
    LWDVector ax;
    LWDVector ay;
    LWDVector az;
    double pxRaw;
    double pxSnap;
    double pyRaw;
    double pySnap;
    int dx;
    int dy;
    int portAxis;
    int flags;
    int viewNumber;
} LWToolEvent;

#define LWTOOLF_CONSTRAIN 1
#define LWTOOLF_CONS_X 2
#define LWTOOLF_CONS_Y 4
#define LWTOOLF_ALT_BUTTON 8
#define LWTOOLF_MULTICLICK 16
#define LWTOOLF_CTRL 32
#define LWTOOLF_ALT 64
#define LWTOOLF_SHIFT 128

#define LWT_EVENT_DROP 0
#define LWT_EVENT_RESET 1
#define LWT_EVENT_ACTIVATE 2
#define LWT_DIRTY_WIREFRAME 1
#define LWT_DIRTY_HELPTEXT 2

typedef struct st_LWGizmoFuncs {
    void (*done)(LWInstance inst);
    void (*draw)(LWInstance inst, LWCustomObjAccess *access);
    const char *(*help)(LWInstance inst, LWToolEvent *event);
    int (*dirty)(LWInstance inst);
    int (*count)(LWInstance inst, LWToolEvent *event);
    int (*handle)(LWInstance inst, LWToolEvent *event, int index, LWDVector pos);
    int (*start)(LWInstance inst, LWToolEvent *event);
    int (*adjust)(LWInstance inst, LWToolEvent *event, int index);
    int (*down)(LWInstance inst, LWToolEvent *event);
    void (*move)(LWInstance inst, LWToolEvent *event);
    void (*up)(LWInstance inst, LWToolEvent *event);
    void (*event)(LWInstance inst, int code);
    LWXPanelID (*panel)(LWInstance inst);
    int (*end)(LWInstance inst, LWToolEvent *event, int isCancel);
} LWGizmoFuncs;

typedef struct st_LWGizmo {
    LWInstance instance;
    LWGizmoFuncs *gizmo;
    const LWItemID *(*pickItems)(LWInstance inst, const LWItemID *drawList, const unsigned int *pickList);
} LWMasterGizmo;
typedef LWMasterGizmo LWGizmo;

typedef struct st_LWLayoutToolFuncs {
    void (*done)(LWInstance inst);
    void (*draw)(LWInstance inst, LWCustomObjAccess *access);
    const char *(*help)(LWInstance inst, LWToolEvent *event);
    int (*dirty)(LWInstance inst);
    int (*count)(LWInstance inst, LWToolEvent *event);
    int (*handle)(LWInstance inst, LWToolEvent *event, int index, LWDVector pos);
    int (*start)(LWInstance inst, LWToolEvent *event);
    int (*adjust)(LWInstance inst, LWToolEvent *event, int index);
    int (*down)(LWInstance inst, LWToolEvent *event);
    void (*move)(LWInstance inst, LWToolEvent *event);
    void (*up)(LWInstance inst, LWToolEvent *event);
    void (*event)(LWInstance inst, int code);
    LWXPanelID (*panel)(LWInstance inst);
    int (*end)(LWInstance inst, LWToolEvent *event, int isCancel);
    int (*key)(LWInstance inst, unsigned short key);
} LWToolFuncs;
typedef LWToolFuncs LWLayoutToolFuncs;

typedef struct st_LWLayoutTool {
    LWInstance instance;
    LWLayoutToolFuncs *tool;
} LWLayoutTool;

/* Image filter. A filter names the buffers it reads in its flags list; getLine gives a buffer's
   row y of one of its layers: the colour one per component, the alpha one. */
#define LWBUFFER_FINAL_RENDER_RGBA "Final_Render"
#define LWBUFFER_ALPHA "Alpha"

typedef struct st_LWFilterAccess {
    int width;
    int height;
    LWFrame frame;
    LWTime start;
    LWTime end;
    int (*layers)(const char *bufferName);
    float *(*getLine)(const char *bufferName, int layer, int y);
    void (*setRGB)(int x, int y, const LWFVector rgb);
    void (*setAlpha)(int x, int y, float alpha);
    LWMonitor *monitor;
} LWFilterAccess;

typedef struct st_LWImageFilterHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs *item;
    LWError (*process)(LWInstance inst, const LWFilterAccess *access);
    const char **(*flags)(LWInstance inst);
} LWImageFilterHandler;

/* Channel handler. */
typedef struct st_LWChannelAccess {
    LWChannelAccessPriv *priv;
    LWChannelID channel;
    LWFrame frame;
    LWTime time;
    double value;
    void (*getChannel)(LWChannelAccessPriv *priv, LWChannelID channel, LWTime time, double *value);
    void (*setChannel)(LWChannelAccessPriv *priv, LWChannelID channel, double value);
    const char *(*channelName)(LWChannelAccessPriv *priv, LWChannelID channel);
} LWChannelAccess;

typedef struct st_LWChannelHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs *item;
    void (*evaluate)(LWInstance inst, const LWChannelAccess *access);
    unsigned int (*flags)(LWInstance inst);
} LWChannelHandler;

/* Generic command. */
typedef struct st_LWLayoutGeneric {
    int (*saveScene)(const char *fileName);
    int (*loadScene)(const char *fileName, const char *sceneName);
    void *data;
    LWCommandCode (*lookup)(void *data, const char *commandName);
    int (*execute)(void *data, LWCommandCode code, int argc, const DynaValue *argv, DynaValue *result);
    int (*evaluate)(void *data, const char *command);
    const char *(*commandArguments)(void *data);
    int (*parsedArguments)(void *data, DynaValue **argv);
} LWLayoutGeneric;

/* ---- Global services -------------------------------------------------------------------------- */

#define LWCOMMANDFUNC_GLOBAL "LW Command Interface"
#define LWCOMMANDINTERFACE_GLOBAL "LW Command Interface 2"
#define LWITEMINFO_GLOBAL "LW Item Info 9"
#define LWOBJECTINFO_GLOBAL "LW Object Info 14"
#define LWCAMERAINFO_GLOBAL "LW Camera Info 10"
#define LWSCENEINFO_GLOBAL "LW Scene Info 12"
#define LWTIMEINFO_GLOBAL "LW Time Info"
#define LWINTERFACEINFO_GLOBAL "LW Interface Info 8"
#define LWVIEWPORTINFO_GLOBAL "LW Viewport Info 9"
#define LWCHANNELINFO_GLOBAL "Channel Info 3"
#define LWOBJECTFUNCS_GLOBAL "Scene Objects 9"
#define LWCOMRING_GLOBAL "LW Communication Ring"
#define LWCOLORACTIVATEFUNC_GLOBAL "Color Picker"
#define LWFILEACTIVATEFUNC_GLOBAL "File Request 3"
#define LWFILEREQFUNC_GLOBAL "File Request"
#define LWLOCALEINFO_GLOBAL "Locale Info"
#define PANEL_SERVICES_NAME "LWPanelServices 3"
#define LWRASTERFUNCS_GLOBAL "RasterServices 4"
#define LWXPANELFUNCS_GLOBAL "LWXPanel 3"

/* "LW Command Interface" (deprecated): one command line in the system's ANSI code page; returns 0
   when the command failed. */
typedef int LWCommandFunc(const char *command);

/* "LW Command Interface 2": command lines and names in UTF-8; evaluate answers as the legacy
   function does. */
typedef struct st_LWCommandInterface {
    void *data;
    LWCommandCode (*lookup)(void *data, const char *commandName);
    int (*execute)(void *data, LWCommandCode code, int argc, const DynaValue *argv, DynaValue *result);
    int (*evaluate)(void *data, const char *commandLine);
} LWCommandInterface;

/* "LW Item Info 9". */
#define LWI_OBJECT 0
#define LWI_LIGHT 1
#define LWI_CAMERA 2
#define LWI_BONE 3

typedef struct st_LWItemInfo {
    LWItemID (*first)(LWItemType type, LWItemID parent);
    LWItemID (*next)(LWItemID item);
    LWItemID (*firstChild)(LWItemID parent);
    LWItemID (*nextChild)(LWItemID parent, LWItemID prevChild);
    LWItemID (*parent)(LWItemID item);
    LWItemID (*target)(LWItemID item);
    LWItemID (*goal)(LWItemID item);
    LWItemType (*type)(LWItemID item);
    const char *(*name)(LWItemID item);
    void (*param)(void *, int, double, double *);
    unsigned int (*limits)(void *, int, double *, double *);
    const char *(*getTag)(void *, int);
    void (*setTag)(void *, int, const char *);
    LWChanGroupID (*chanGroup)(LWItemID item);
    const char *(*server)(void *, const char *, int);
    unsigned int (*serverFlags)(void *, const char *, int);
    void (*controller)(void *, int, int *);
    unsigned int (*flags)(void *);
    double (*lookAhead)(void *);
    double (*goalStrength)(void *, double);
    void (*stiffness)(void *, int, double *);
    unsigned int (*axisLocks)(void *, int);
    unsigned int (*maxLookSteps)(void *);
    double (*reliableDistance)(void *);
    unsigned int (*goalObjective)(void *);
    double (*ikfkBlending)(void *, double);
    unsigned int (*ikInitialState)(void *);
    int (*ikInitialStateFrame)(void *, double);
    unsigned int (*ikSoft)(void *, double, unsigned int *, double *, double *);
    void *(*pole)(void *);
    void *(*sameItem)(void *, int);
    double (*sameItemBlend)(void *, int, double);
    unsigned int (*sameItemBlendMethod)(void *, int);
    unsigned int (*sameItemFlags)(void *, int);
    unsigned int (*selected)(void *);
    void (*follow)(void *, int, int *, void **);
    void (*controllerTrans)(void *, int, double *, double *);
    void *(*splineItem)(void *);
    unsigned int (*splineFit)(void *);
    double (*splineT)(void *, double);
    LWRotationOrder (*rotationOrder)(void *);
    void (*relparam)(void *, int, void *, int, double, double *);
} LWItemInfo;

/* "LW Object Info 14". */
typedef struct st_LWObjectInfo {
    const char *(*filename)(LWItemID object);
    int (*numPoints)(LWItemID object);
    int (*numPolygons)(LWItemID object);
    unsigned int (*shadowOpts)(void *);
    double (*dissolve)(void *, double);
    LWMeshInfo *(*meshInfo)(void *, int);
    unsigned int (*flags)(void *);
    double (*fog)(void *, double);
    void *(*dispMap)(void *);
    void *(*clipMap)(void *);
    void (*patchLevel)(void *, int *, int *);
    void (*metaballRes)(void *, double *, double *);
    void *(*boneSource)(void *);
    void *(*morphTarget)(void *);
    double (*morphAmount)(void *, double);
    unsigned int (*edgeOpts)(void *);
    void (*edgeColor)(void *, double, double *);
    int (*subdivOrder)(void *);
    double (*polygonSize)(void *, double);
    int (*excluded)(void *, void *);
    void (*matteColor)(void *, double, double *);
    double (*thickness)(void *, double, int);
    double (*edgeZScale)(void *, double);
    double (*shrinkEdgesNominalDistance)(void *, double);
    double (*maxDissolveDistance)(void *);
    double (*bumpDistance)(void *);
    unsigned int (*getGroupIndex)(void *);
    int (*dispMapOrder)(void *);
    int (*bumpOrder)(void *);
    void *(*getNodeEditor)(void *);
    int (*nodeOrder)(void *);
    void (*bounds)(void *, double *, double *);
    double (*shadowoffsetdistance)(void *);
    void *(*instancer)(void *);
    void *(*getEdgeNodeEditor)(void *);
    int (*layerLoaded)(void *);
    float (*getAlphaValue)(void *);
    int (*giMode)(void *);
    int (*bruteForceRays)(void *);
    int (*primaryRays)(void *);
    int (*secondaryRays)(void *);
    int (*missingSampleRays)(void *);
    double (*angularTolerance)(void *);
    double (*minimumPixelSpacing)(void *);
    double (*maximumPixelSpacing)(void *);
    unsigned int (*pntIndex)(void *, LWMesh *, LWPnt *);
    unsigned int (*polIndex)(void *, LWMesh *, LWPol *);
    unsigned int (*boneMode)(void *);
    unsigned int (*numLimitedBones)(void *);
    unsigned int (*numBoneWeightsPnts)(void *);
    unsigned int (*boneWeights)(void *, unsigned int, LWBoneWeight *);
} LWObjectInfo;

/* "LW Camera Info 10". */
typedef struct st_LWCameraInfo {
    double (*zoomFactor)(LWItemID camera, LWTime time);
    double (*focalLength)(LWItemID camera, LWTime time);
    double (*focalDistance)(void *, double);
    double (*fStop)(void *, double);
    double (*blurLength)(void *, double);
    void (*fovAngles)(void *, double, double *, double *);
    unsigned int (*flags)(void *);
    void (*resolution)(LWItemID camera, int *width, int *height);
    double (*pixelAspect)(LWItemID camera, LWTime time);
    double (*separation)(void *, double);
    void (*regionLimits)(void *, int *, int *, int *, int *);
    void (*maskLimits)(void *, int *, int *, int *, int *);
    void (*maskColor)(void *, double *);
    unsigned int (*motionBlur)(void *);
    unsigned int (*fieldRendering)(void *);
    int (*irisPos)(void *, double, int, float *, float *);
    int (*usingGlobalResolution)(void *);
    int (*usingGlobalBlur)(void *);
    int (*usingGlobalMask)(void *);
    unsigned int (*motionBlurPasses)(void *, double);
    double (*shutterEfficiency)(void *, double);
    unsigned int (*noiseSampler)(void *);
    void (*filmSize)(void *, double *, double *);
    unsigned int (*frameTiming)(void *, int, LWFrameTimingInfo *);
    unsigned int (*antiAliasing)(void *, double);
    double (*overSampling)(void *, double);
    void (*diaphragm)(void *, double, int *, double *);
    double (*convergencePoint)(void *, double);
    int (*usingConvergencePoint)(void *);
    double (*convergenceToeIn)(void *, double);
    void (*eyeTransform)(void *, double, LWCameraEye, float *, float *, float *, float (*) [3], float *, float *);
    double (*rollingShutter)(void *, double);
    double (*shutterOpen)(void *, double);
    unsigned int (*minSamples)(void *, double);
    unsigned int (*maxSamples)(void *, double);
    LWCameraEye (*trackedEye)(void *);
    LWCameraOverscan (*overscanMode)(void *);
    LWCameraOverscan (*overscanSize)(void *, double *, double *);
    double (*resolutionmultiplier)(void *);
    int (*overscanPixels)(void *, double *, double *);
} LWCameraInfo;

/* "LW Scene Info 12": a snapshot, looked up again when it must be current. */
typedef struct st_LWSceneInfo {
    const char *name;
    const char *filename;
    int numPoints;
    int numPolygons;
    int renderType;
    int renderOpts;
    LWFrame frameStart;
    LWFrame frameEnd;
    LWFrame frameStep;
    double framesPerSecond;
    int frameWidth;
    int frameHeight;
    double pixelAspect;
    int minSamplesPerPixel;
    int maxSamplesPerPixel;
    int limitedRegion[4];
    int recursionDepth;
    LWItemID (*renderCamera)(LWTime time);
    int numThreads;
    const char *animFilename;
    const char *RGBPrefix;
    const char *alphaPrefix;
    int antialiasing;
    int enhancedAA;
    int adaptiveSampling;
    float adaptiveThreshold;
    int filter;
    int dblSidedAreaLights;
    int loadInProgress;
    int radiosityType;
    int radiosityIndirectBounceCount;
    int radiosityRaysPerEvaluation1;
    int radiosityRaysPerEvaluation2;
    double radiosityIntensity;
    double radiosityAngularTolerance;
    double radiosityMinimumPixelSpacing;
    double radiosityMaximumPixelSpacing;
    double radiosityMultiplier;
    const char *radiosityFileName;
    double causticsIntensity;
    int causticsAccuracy;
    int causticsSoftness;
    int radiosityFlags;
    double dynamicsRangeMin;
    double dynamicsRangeMax;
    double saturation;
    int pixelFilterForceMT;
    int has_multithreaded_filters;
    int useZminmax;
    double zmin;
    double zmax;
    int rendermode;
    int calculateallnormals;
    int enableLenseFlares;
    double lenseFlareIntensity;
    int *buffersInUse;
    int animationPass;
    float raycutoff;
    unsigned int shadingsamples;
    unsigned int lightsamples;
    float lightthreshold;
    int rangeType;
    const char *rangeFrames;
    LWItemID rangeObject;
    int rangeChannel;
    int transparencyDepth;
    int reflectionDepth;
    int refractionDepth;
    unsigned int reflectionsamples;
    unsigned int refractionsamples;
    unsigned int scatteringsamples;
    float mipmapMultiplier;
} LWSceneInfo;

/* "LW Time Info": a snapshot. */
typedef struct st_LWTimeInfo {
    LWTime time;
    LWFrame frame;
} LWTimeInfo;

/* "LW Interface Info 8": a snapshot. selItems is null-terminated. */
typedef struct st_LWInterfaceInfo {
    LWTime curTime;
    const LWItemID *selItems;
    unsigned int (*itemFlags)(LWItemID item);
    LWFrame previewStart;
    LWFrame previewEnd;
    LWFrame previewStep;
    int dynaUpdate;
    void (*schemaPos)(void *, double *, double *);
    int (*itemVis)(void *);
    unsigned int displayFlags;
    unsigned int generalFlags;
    int boxThreshold;
    int (*itemColor)(void *);
    void (*setItemColorIndex)(void *, int);
    void (*setItemColorCustom)(void *, double *);
    int alertLevel;
    int autoKeyCreate;
    void (*defaultItemTypeColor)(int, float *, int);
    void (*itemColorRgba)(void *, unsigned int, float *);
    float (*itemIconScale)(void *);
    float (*DPIScalar)(void);
} LWInterfaceInfo;

/* "LW Viewport Info 9": a snapshot with per-viewport queries. */
#define LVVIEWT_NONE 0
#define LVVIEWT_TOP 1
#define LVVIEWT_BOTTOM 2
#define LVVIEWT_BACK 3
#define LVVIEWT_FRONT 4
#define LVVIEWT_RIGHT 5
#define LVVIEWT_LEFT 6
#define LVVIEWT_PERSPECTIVE 7
#define LVVIEWT_LIGHT 8
#define LVVIEWT_CAMERA 9
#define LVVIEWT_SCHEMATIC 10

/* project: world position to window pixel coordinates of the viewport; 0 when it cannot. */
typedef struct st_LWViewportInfo {
    int numViewports;
    int (*type)(int index);
    unsigned int (*flags)(int);
    void (*pos)(int, double *);
    void (*xfrm)(int, double *);
    void (*clip)(int, double *, double *);
    void (*rect)(int index, int *left, int *top, int *width, int *height);
    int (*viewLevel)(int);
    int (*projection)(int, double (*) [4], double (*) [4]);
    int (*modelview)(int, double (*) [4], double (*) [4]);
    int (*project)(int index, LWDVector world, double *winX, double *winY, double *winZ);
    int (*unproject)(int, double, double, double, double *);
    double (*pixelSize)(int, double, double *);
    int (*handleSize)(int);
    double (*gridSize)(int);
    LWItemID (*viewItem)(int index);
    int (*gridType)(int);
    LWPicking *(*viewPicking)(int);
    int (*hoverIndex)(double *);
    void *(*bgImage)(int, double *, double *, double *, double *);
    float (*handleSmoothing)(int);
    int (*getActivePreview)(void);
    float (*getBackingScale)(int);
} LWViewportInfo;

/* "Channel Info 3". */
typedef struct st_LWChannelInfo {
    LWChanGroupID (*nextGroup)(LWChanGroupID parent, LWChanGroupID group);
    LWChannelID (*nextChannel)(LWChanGroupID parent, LWChannelID chan);
    const char *(*groupName)(LWChanGroupID group);
    const char *(*channelName)(LWChannelID chan);
    LWChanGroupID (*groupParent)(LWChanGroupID group);
    LWChanGroupID (*channelParent)(LWChannelID chan);
    int (*channelType)(LWChannelID chan);
    double (*channelEvaluate)(LWChannelID chan, LWTime time);
    void *(*channelEnvelope)(void *);
    int (*setChannelEvent)(void *, int (*)(void *, void *, int, void *), void *);
    const char *(*server)(void *, const char *, int);
    unsigned int (*serverFlags)(void *, const char *, int);
    void *(*serverInstance)(void *, const char *, int);
    int (*serverApply)(void *, const char *, const char *, int);
    void (*serverRemove)(void *, const char *, const char *, void *);
} LWChannelInfo;

/* "Scene Objects 9": objects and the vertex maps of the scene. */
#define LWVMAP_MORF LWID_('M', 'O', 'R', 'F')
#define LWVMAP_SPOT LWID_('S', 'P', 'O', 'T')
#define LWVMAP_WGHT LWID_('W', 'G', 'H', 'T')

typedef struct st_LWObjectFuncs {
    int (*numObjects)();
    const char *(*filename)(int);
    int (*maxLayers)(int);
    int (*layerExists)(int, int);
    void (*pivotPoint)(int, int, float *);
    LWMeshInfo *(*layerMesh)(int, int);
    int (*numVMaps)(LWID type);
    const char *(*vmapName)(LWID type, int index);
    int (*vmapDim)(LWID type, int index);
    unsigned int (*vmapType)(int);
    const char *(*layerName)(int, int);
    int (*layerVis)(int, int);
    const char *(*userName)(int);
    const char *(*refName)(int);
    int maxPointsPerPoly;
    int (*focusObject)();
} LWSceneObjects;
typedef LWSceneObjects LWObjectFuncs;

/* "LW Communication Ring". */
typedef void (*RingEvent)(void *clientData, void *portData, int eventCode, void *eventData);

typedef struct st_LWComRing {
    int (*ringAttach)(const char *topic, LWInstance clientData, RingEvent callback);
    void (*ringDetach)(const char *topic, LWInstance clientData);
    void (*ringMessage)(const char *topic, int eventCode, void *eventData);
} LWComRing;

/* "Color Picker": an activation function over the local record below (version 6). */
#define LWCOLORPICK_VERSION 6

typedef struct st_LWColorPickLocal {
    int result;
    const char *title;
    float red;
    float green;
    float blue;
    void *data;
    void (*hotFunc)(void *data, float r, float g, float b);
    const char *colorSpace;
} LWColorPickLocal;

typedef int LWColorActivateFunc(int version, LWColorPickLocal *local);

/* "File Request 3": an activation function over the request record below (version 4). */
#define LWFILEREQ_VERSION 4
#define FREQ_LOAD 1
#define FREQ_SAVE 2
#define FREQ_DIRECTORY 3
#define FREQ_MULTILOAD 4

typedef struct st_LWFileReqLocal {
    int reqType;
    int result;
    const char *title;
    const char *fileType;
    char *path;
    char *baseName;
    char *fullName;
    int bufLen;
    int (*pickName)();
} LWFileReqLocal;

typedef int LWFileActivateFunc(int version, LWFileReqLocal *local);

/* "File Request": the older single-call requester. */
typedef int LWFileReqFunc(const char *hail, char *name, char *path, char *fullName, int bufLen);

/* ---- Classic panels ("LWPanelServices 3") ------------------------------------------------------ */

typedef struct st_Panel *LWPanelID;
typedef struct st_LWControl LWControl;
typedef LWControl *LWControlID;
typedef struct st_LWRasterID *LWRasterID;

typedef int DrMode;
#define DR_ERASE 0
#define DR_RENDER 1
#define DR_GHOST 2
#define DR_REFRESH 3

/* Control values. */
#define LWT_NULL 0
#define LWT_STRING 1
#define LWT_INTEGER 2
#define LWT_FLOAT 3
#define LWT_DISTANCE 4
#define LWT_VINT 5
#define LWT_VFLOAT 6
#define LWT_VDIST 7
#define LWT_BOOLEAN 8
#define LWT_CHOICE 9
#define LWT_SURFACE 10
#define LWT_FONT 11
#define LWT_TEXT 12
#define LWT_LAYERS 13
#define LWT_CUSTOM 14
#define LWT_RANGE 15
#define LWT_LWITEM 16
#define LWT_PERCENT 17
#define LWT_POPUP 18
#define LWT_AREA 19
#define LWT_XPANEL 20
#define LWT_TREE 21
#define LWT_MLIST 22
#define LWT_POINTER 23
#define LWT_MULTILINE 24

typedef struct st_LWValString {
    int type;
    char *buf;
    int bufLen;
} LWValString;

typedef struct st_LWValInt {
    int type;
    int value;
    int defVal;
} LWValInt;

typedef struct st_LWValFloat {
    int type;
    double value;
    double defVal;
} LWValFloat;

typedef struct st_LWValIVector {
    int type;
    int val[3];
    int defVal;
} LWValIVector;

typedef struct st_LWValFVector {
    int type;
    double val[3];
    double defVal;
} LWValFVector;

typedef struct st_LWValCustom {
    int type;
    int val[4];
} LWValCustom;

typedef struct st_LWValPointer {
    int type;
    void *ptr;
} LWValPointer;

typedef union un_LWValue {
    int type;
    LWValString str;
    LWValInt intv;
    LWValFloat flt;
    LWValIVector ivec;
    LWValFVector fvec;
    LWValPointer ptr;
    LWValCustom cust;
} LWValue;

/* Control descriptors, selected by type. */
typedef struct st_LWPanStringDesc {
    int type;
    int width;
} LWDescString;
typedef LWDescString LWPanStringDesc;

typedef struct st_LWPanChoiceDesc {
    int type;
    const char **items;
    int vertical;
} LWDescChoice;
typedef LWDescChoice LWPanChoiceDesc;

typedef struct st_LWPanTextDesc {
    int type;
    const char **text;
} LWDescText;
typedef LWDescText LWPanTextDesc;

typedef struct st_LWPanRangeDesc {
    int type;
    int width;
    int min;
    int max;
} LWDescRange;
typedef LWDescRange LWPanRangeDesc;

typedef struct st_LWPanAreaDesc {
    int type;
    int width;
    int height;
} LWDescArea;
typedef LWDescArea LWPanAreaDesc;

typedef struct st_LWPanPopupDesc {
    int type;
    int width;
    int (*countFn)(void *userData);
    const char *(*nameFn)(void *userData, int index);
    const char *(*faceFn)(void *userData, int index);
    int (*typeFn)(void *userData, int index);
    void *(*subMFn)(void *userData, int index);
} LWDescPopup;
typedef LWDescPopup LWPanPopupDesc;

typedef struct st_LWPanMultiListBoxDesc {
    int type;
    int width;
    int visItems;
    int top;
    int (*countFn)(void *userData);
    const char *(*nameFn)(void *userData, int row, int column);
    int (*colWidth)(void *userData, int column);
} LWDescMultiList;
typedef LWDescMultiList LWPanMultiListBoxDesc;

/* Descriptors of controls this module does not create; the host reads them by these sizes. */
typedef struct st_LWPanLWItemDesc {
    int type;
    void *global;
    int itemType;
    char **list; /* ended by a null entry */
    int count;
    int width;
} LWPanLWItemDesc;

typedef struct st_LWPanListBoxDesc {
    int type;
    int width;
    int visItems;
    int top;
    int (*countFn)(void *userData);
    const char *(*nameFn)(void *userData, int index);
} LWPanListBoxDesc;

typedef struct st_LWPanXPanDesc {
    int type;
    int width;
    int height;
    void *xpan;
} LWPanXPanDesc;

/* Tree controls: countFn gives a node's children (node null: the roots), leafFn the i-th of them,
   infoFn a node's text (UTF-8) and flags, moveFn is called after the user moved a node. */
typedef struct st_LWPanTreeDesc {
    int type;
    int width;
    int height;
    int (*countFn)(void *data, void *node);
    void *(*leafFn)(void *data, void *node, int i);
    const char *(*infoFn)(void *data, void *node, int *nodeFlags);
    void (*moveFn)(void *data, void *node, void *parentNode, int i);
} LWPanTreeDesc;

typedef struct st_LWPanMultiTreeDesc {
    int type;
    int width;
    int height;
    int (*countFn)(void *data, void *node);
    void *(*leafFn)(void *data, void *node, int i);
    const char *(*infoFn)(void *data, void *node, int column, int *nodeFlags);
    void (*moveFn)(void *data, void *node, void *parentNode, int i);
    int (*colWidth)(void *data, int i);
} LWPanMultiTreeDesc;

typedef struct st_LWPanEditorDesc {
    int type;
    char *buf;
    int bufLen;
    int width;
    int height;
} LWPanEditorDesc;

typedef union un_LWPanControlDesc {
    int type;
    LWPanStringDesc string;
    LWPanChoiceDesc choice;
    LWPanTextDesc text;
    LWPanRangeDesc range;
    LWPanAreaDesc area;
    LWPanLWItemDesc lwitem;
    LWPanPopupDesc popup;
    LWPanListBoxDesc listbox;
    LWPanXPanDesc xpanel;
    LWPanTreeDesc tree;
    LWPanMultiListBoxDesc multiList;
    LWPanMultiTreeDesc multiTree;
    LWPanEditorDesc editor;
} LWPanControlDesc;

/* Control tags. */
typedef int cTag;
#define CTL_X 0
#define CTL_Y 1
#define CTL_W 2
#define CTL_H 3
#define CTL_VALUE 4
#define CTL_HOTX 5
#define CTL_HOTY 6
#define CTL_HOTW 7
#define CTL_HOTH 8
#define CTL_LABELWIDTH 9
#define CTL_MOUSEX 10
#define CTL_MOUSEY 11
#define CTL_FLAGS 12
#define CTL_USERDRAW 13
#define CTL_USEREVENT 14
#define CTL_LABEL 15
#define CTL_USERDATA 16
#define CTL_PANEL 17
#define CTL_PANFUN 18
#define CTL_RANGEMIN 19
#define CTL_RANGEMAX 20
#define CTL_ACTIVATE 21
#define CTL_MOUSEBUTTON 22
#define CTL_SELECTEVENT 23
#define CTL_MOUSECLICKCNT 24
#define CTL_MENUFLAGSFUNC 25
#define CTL_COLORSPACE 26
#define CTL_VIEWERCOLORSPACE 27

typedef void (*LWCtlEventFunc)(LWControlID control, void *userData);
/* The selection event of a multi-column list (CTL_SELECTEVENT): the row clicked (-1 for the titles)
   and whether it became selected. Set CTL_USERDATA first: the hook receives it. */
typedef int (*LWCtlSelectHook)(LWControlID ctl, void *data, int index, int selecting);

struct st_LWControl {
    void (*draw)(LWControlID control, DrMode mode);
    void (*get)(LWControlID control, cTag tag, LWValue *value);
    void (*set)(LWControlID control, cTag tag, LWValue *value);
    void *priv_data;
};

/* Control values go through LWValue records: CTL_X .. CTL_LABELWIDTH as LWValInt, CTL_VALUE by the
   control's kind, CTL_USEREVENT (an LWCtlEventFunc), CTL_SELECTEVENT (an LWCtlSelectHook) and
   CTL_USERDATA as LWValPointer. User data handed to a control's event function and to its popup or
   list callbacks is its CTL_USERDATA. */

/* Panel tags. Numeric tags take a pointer to an int; PAN_TITLE, PAN_USERDATA, PAN_LWINSTANCE and
   the hook tags (PAN_USERDRAW .. PAN_USERCLOSE, PAN_USERKEYS, PAN_MOUSEBUTTON, PAN_MOUSEMOVE,
   PAN_USERKEYUPS, PAN_MOUSEWHEEL, PAN_USERRESIZE) take the pointer itself. Hooks receive the
   panel's PAN_USERDATA. */
typedef int pTag;
#define PAN_X 0
#define PAN_Y 1
#define PAN_W 2
#define PAN_H 3
#define PAN_MOUSEX 4
#define PAN_MOUSEY 5
#define PAN_FLAGS 6
#define PAN_USERDRAW 7
#define PAN_USERACTIVATE 8
#define PAN_USEROPEN 9
#define PAN_USERCLOSE 10
#define PAN_TITLE 11
#define PAN_USERDATA 12
#define PAN_USERKEYS 13
#define PAN_LWINSTANCE 14
#define PAN_MOUSEBUTTON 15
#define PAN_MOUSEMOVE 16
#define PAN_PANFUN 17
#define PAN_VERSION 18
#define PAN_RESULT 19
#define PAN_HOSTDISPLAY 20
#define PAN_USERKEYUPS 21
#define PAN_QUALIFIERS 22
#define PAN_TO_FRONT 23
#define PAN_MOUSEWHEEL 24
#define PAN_USERRESIZE 25
#define PAN_MIN_W 26
#define PAN_MIN_H 27
#define PAN_MAX_W 28
#define PAN_MAX_H 29
#define PAN_CONFIGTAG 30

/* Panel open flags. */
#define PANF_BLOCKING 1
#define PANF_CANCEL 2
#define PANF_FRAME 4
#define PANF_MOUSETRAP 8
#define PANF_PASSALLKEYS 16
#define PANF_ABORT 32
#define PANF_NOBUTT 64
#define PANF_RESIZE 128
#define PANF_MOUSETRACK 256

/* Input qualifiers. A mouse event's qualifiers hold the button in MOUSE_LEFT .. MOUSE_RIGHT (two
   bits) and MOUSE_DOWN while it is pressed. */
#define IQ_CTRL 1
#define IQ_SHIFT 2
#define IQ_ALT 4
#define IQ_CONSTRAIN 8
#define IQ_ADJUST 16
#define MOUSE_LEFT 32
#define MOUSE_MID 64
#define MOUSE_RIGHT 96
#define MOUSE_DOWN 128

#define LWDK_ALT 0x1060
#define LWDK_SHIFT 0x1061
#define LWDK_CTRL 0x1062

typedef void (*LWPanHook)(LWPanelID panel, void *data);
typedef void (*LWPanDrawHook)(LWPanelID panel, void *data, DrMode mode);
/* A key code: a character, or one of the LWDK_ codes. */
typedef unsigned short LWDualKey;
typedef int (*LWPanKeyHook)(LWPanelID panel, void *data, LWDualKey key);
typedef void (*LWPanMouseHook)(LWPanelID panel, void *data, int qualifiers, int x, int y);
/* PAN_MOUSEWHEEL takes a hook called as void (LWPanelID, void *data, int value, int x, int y); the
   host names no type for it. */
typedef void (*LWPanResizeHook)(LWPanelID panel, void *data, int width, int height);

typedef struct st_display_Metrics {
    int width;
    int height;
    int pixX;
    int pixY;
    int maxColors;
    int depth;
    int textHeight;
    int textAscent;
} LWDisplayMetrics;
typedef LWDisplayMetrics display_Metrics;

typedef struct st_DrawFuncs {
    void (*drawPixel)(LWPanelID panel, int color, int x, int y);
    void (*drawRGBPixel)(LWPanelID panel, int r, int g, int b, int x, int y);
    void (*drawLine)(LWPanelID panel, int color, int x1, int y1, int x2, int y2);
    void (*drawBox)(LWPanelID panel, int color, int x, int y, int w, int h);
    void (*drawRGBBox)(LWPanelID panel, int r, int g, int b, int x, int y, int w, int h);
    void (*drawBorder)(LWPanelID panel, int indent, int x, int y, int w, int h);
    int (*textWidth)(LWPanelID panel, const char *text);
    void (*drawText)(LWPanelID panel, const char *text, int color, int x, int y);
    const LWDisplayMetrics *(*dispMetrics)(void);
} DrawFuncs;

typedef struct st_LWPanelFuncs {
    LWPanelID (*create)(const char *title, void *reserved);
    void (*destroy)(LWPanelID panel);
    int (*open)(LWPanelID panel, int flags);
    int (*handle)(LWPanelID panel, int flags);
    void (*draw)(LWPanelID panel, DrMode mode);
    void (*close)(LWPanelID panel);
    void (*get)(LWPanelID panel, pTag tag, void *value);
    void (*set)(LWPanelID panel, pTag tag, void *value);
    LWControl *(*addControl)(LWPanelID panel, const char *typeName, LWPanControlDesc *desc, const char *label);
    LWControl *(*nextControl)(LWPanelID panel, LWControlID control);
    DrawFuncs *drawFuncs;
    void *user_data;
    GlobalFunc *globalFun;
    void (*destroyControl)(LWPanelID panel, LWControlID control);
    void (*setParent)(LWPanelID panel, void *parentWindow);
    LWRasterID (*getRaster)(LWPanelID panel);
} LWPanelFuncs;

/* "RasterServices 4". */
typedef struct st_LWRasterFuncs {
    void (*drawPixel)(void *, int, int, int);
    void (*drawRGBPixel)(void *, int, int, int, int, int);
    void (*drawLine)(void *, int, int, int, int, int);
    void (*drawBox)(void *, int, int, int, int, int);
    void (*drawRGBBox)(void *, int, int, int, int, int, int, int);
    void (*eraseBox)(void *, int, int, int, int);
    void (*drawBorder)(void *, int, int, int, int, int);
    void (*drawText)(void *, const char *, int, int, int);
    LWRasterID (*create)(int width, int height, int flags);
    void (*destroy)(LWRasterID raster);
    void (*blitPanel)(LWRasterID raster, int srcX, int srcY, LWPanelID panel, int dstX, int dstY, int w, int h);
    void (*blitRaster)(void *, int, int, void *, int, int, int, int);
    int (*textWidth)(void *, char *);
    void (*drawRichText)(void *, const char *, int, int, int, int, int);
    void (*getRichTextSize)(void *, const char *, int *, int *);
    void (*drawImage)(void *, void *, int, int, int, int, int, int, int, int, int);
    void (*transferToImage)(void *, void *);
    void (*fillPolygon)(void *, int, float *, float *, int);
    void (*strokePolygon)(void *, int, float *, float *, int, float);
    void (*pushClippingRect)(void *, int, int, int, int);
    void (*popClippingRect)(void *);
    int (*getClippingRect)(void *, int *, int *, int *, int *);
    float (*getBackingScalar)(void *);
} LWRasterFuncs;

/* ---- View panels ("LWXPanel 3") --------------------------------------------------------------- */

/* A hint array is a sequence of pointer-sized words: a tag, then as many words as the tag's low
 * byte gives (with 0x80 set, that many and then a list ended by 0), ended by a 0 word (XPTAG_END).
 *   XPTAG_LABEL id text 0            label of a control, or the panel title for id 0
 *   XPTAG_DESTROYNOTIFY func 0       LWXPanelDestroyNotifyFunc, given the panel's user data
 *   XPTAG_BUTNOTIFY cid func         LWXPanelBtnClickFunc of a button
 *   XPTAG_POPFUNCS cid count name    LWXPanelPopCntFunc and LWXPanelPopNameFunc of a popup,
 *                                    given the panel's user data
 *   XPTAG_MIN cid value              smallest value of an integer control
 *   XPTAG_STEP cid value             step of an integer control
 *   XPTAG_GROUP gid member... 0      a group of controls
 * Integers travel as pointer-sized values (XpH). */
typedef void *LWXPanelHint;
#define XpH(x) ((LWXPanelHint)(size_t)(x))

#define LWXP_VIEW 1
#define LWXP_FORM 2

/* Control tables and data descriptions end with an entry whose identifier is 0. */
typedef struct st_LWXPanelControl {
    unsigned int cid;
    const char *label;
    const char *ctrlclass;
} LWXPanelControl;

typedef struct st_LWXPanelDataDesc {
    unsigned int vid;
    const char *name;
    const char *datatype;
} LWXPanelDataDesc;

typedef enum en_LWXPRefreshCodes {
    LWXPRC_NONE = 0,
    LWXPRC_DFLT = 1,
    LWXPRC_DRAW = 2,
    LWXPRC_FULL = 3
} LWXPRefreshCode;

/* Values by data type: "integer" an int, "string" a zero-ended text, "color" three doubles.
 * get returns a pointer to the value (null: no value); set answers how much of the panel to redraw. */
typedef void *LWXPanelGetFunc(void *inst, unsigned int vid);
typedef LWXPRefreshCode LWXPanelSetFunc(void *inst, unsigned int vid, void *value);
typedef void LWXPanelDestroyNotifyFunc(void *panelData);
typedef void LWXPanelBtnClickFunc(LWXPanelID panel, int cid);
typedef int LWXPanelPopCntFunc(void *userData);
typedef const char *LWXPanelPopNameFunc(void *userData, int index);

#define XPTAG_END 0u
#define XPTAG_NULL 0u
#define XPTAG_LABEL 0x3D000B03u
#define XPTAG_CHGNOTIFY 0x3D000F01u
#define XPTAG_DESTROYNOTIFY 0x3D001302u
#define XPTAG_MIN 0x3D014002u
#define XPTAG_MAX 0x3D014102u
#define XPTAG_STEP 0x3D014202u
#define XPTAG_RANGE 0x3D014304u
#define XPTAG_STRLIST 0x3D014503u
#define XPTAG_BUTNOTIFY 0x3D015F02u
#define XPTAG_POPFUNCS 0x3D016203u
#define XPTAG_GROUP 0x3D01FE81u
#define XPTAG_DIVADD 0x3D021481u

/* getData and setData with id 0 read and write the panel's user data. */
typedef struct st_LWXPanelFuncs {
    int version;
    LWXPDrawFuncs *drawf;
    LWXPanelID (*create)(int type, LWXPanelControl *controls);
    void (*destroy)(LWXPanelID panel);
    void (*describe)(LWXPanelID panel, LWXPanelDataDesc *data, LWXPanelGetFunc *get, LWXPanelSetFunc *set);
    void (*hint)(LWXPanelID panel, unsigned int id, LWXPanelHint *hints);
    void *(*getData)(LWXPanelID panel, unsigned int id);
    void (*setData)(LWXPanelID panel, unsigned int id, void *data);
    void *(*formGet)(LWXPanelID panel, unsigned int id);
    void (*formSet)(LWXPanelID panel, unsigned int id, void *value);
    void (*viewInst)(LWXPanelID panel, void *inst);
    void (*viewRefresh)(LWXPanelID panel);
    int (*post)(LWXPanelID panel);
    int (*open)(LWXPanelID panel);
    void (*viewRebuild)(LWXPanelID panel);
} LWXPanelFuncs;

#ifdef __cplusplus
}
#endif

#endif /* LWHOST_LWHOST_H */
