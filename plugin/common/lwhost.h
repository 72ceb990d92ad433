// lwhost.h: the host interface of Layout as this module uses it.
//
// Our own C-compatible declarations of the records, callbacks and global service tables that the
// module reads or fills, named after the host's own records and services. Only what the module
// calls is declared; the host (Layout, or the simulated host in host/) provides the rest.
// Item, channel and group identifiers are opaque pointer-sized values; the host hands out values
// that fit in 32 bits, since the module prints them with "0x%x" and stores their low 32 bits.
#ifndef ZK_LWHOST_H
#define ZK_LWHOST_H

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Basic types ------------------------------------------------------------------------- */

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

#define LWITEM_NULL ((LWItemID)0)
#define LWID_(a, b, c, d) ((((unsigned int)(a)) << 24) | (((unsigned int)(b)) << 16) | (((unsigned int)(c)) << 8) | ((unsigned int)(d)))

/* Global lookup: service name with version, use mode; returns the service table or null. */
typedef void *GlobalFunc(const char *serviceName, int useMode);
#define GFUSE_TRANSIENT 0
#define GFUSE_ACQUIRE 1
#define GFUSE_RELEASE 2

/* ---- Module descriptor and servers ---------------------------------------------------------- */

typedef int ActivateFunc(int version, GlobalFunc *global, void *local, void *serverData);

#define AFUNC_OK 0
#define AFUNC_BADVERSION 1
#define AFUNC_BADGLOBAL 2

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
#define MOD_MACHINE 0x300u

/* ---- Scene load and save states -------------------------------------------------------------- */

/* Each read returns the number of values read (0 or less when the block has no such item). */
typedef struct st_LWLoadState {
    int ioMode;
    void *readData;
    int (*readI4)(void *readData, int *values, int count);
    int (*readU4)(void *readData, unsigned int *values, int count);
    int (*readFP)(void *readData, float *values, int count);
    int (*readStr)(void *readData, char *buffer, int maxLength);
} LWLoadState;

typedef struct st_LWSaveState {
    int ioMode;
    void *writeData;
    void (*writeI4)(void *writeData, const int *values, int count);
    void (*writeU4)(void *writeData, const unsigned int *values, int count);
    void (*writeFP)(void *writeData, const float *values, int count);
    void (*writeStr)(void *writeData, const char *text);
} LWSaveState;

#define LWIO_SCENE 0
#define LWIO_OBJECT 1

/* ---- Handler records ------------------------------------------------------------------------- */

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
} LWItemFuncs;

/* Master handler. */
typedef struct st_LWMasterAccess {
    int eventCode;
    void *eventData;
} LWMasterAccess;

#define LWEVNT_NOTHING 0
#define LWEVNT_COMMAND 1
#define LWEVNT_TIME 2
#define LWEVNT_SELECT 3
#define LWEVNT_RENDER_DONE 4

#define LWMAST_SCENE 0
#define LWMAST_OBJECTS 1
#define LWMAST_LAYOUT 2

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
#define LWCSYS_ICON 1
#define LWCSYS_OBJECT 2
#define LWCSYS_VIEWPORT 3

#define LWLPAT_SOLID 0
#define LWJUST_LEFT 0
#define LWJUST_CENTER 1
#define LWJUST_RIGHT 2

typedef struct st_LWCustomObjAccess {
    int view;      /* index of the viewport being drawn */
    int flags;
    void *dispData;
    void (*setColor)(void *dispData, const float rgba[4]);
    void (*setPattern)(void *dispData, int linePattern);
    void (*setTexture)(void *dispData, int size, const unsigned char *rgbaBytes);
    void (*setUVs)(void *dispData, const double uv0[2], const double uv1[2], const double uv2[2], const double uv3[2]);
    void (*point)(void *dispData, const LWDVector p, int csys);
    void (*line)(void *dispData, const LWDVector a, const LWDVector b, int csys);
    void (*triangle)(void *dispData, const LWDVector a, const LWDVector b, const LWDVector c, int csys);
    void (*quad)(void *dispData, const LWDVector a, const LWDVector b, const LWDVector c, const LWDVector d, int csys);
    void (*circle)(void *dispData, const LWDVector center, double radius, int csys);
    void (*text)(void *dispData, const LWDVector p, const char *text, int justify, int csys);
    void (*polygon)(void *dispData, int count, const int *indexes, const LWDVector *points, int csys);
    void (*setDrawMode)(void *dispData, unsigned int mode);
} LWCustomObjAccess;

/* Master gizmo. */
typedef struct st_LWToolEvent {
    LWDVector posRaw;
    LWDVector posSnap;
    LWDVector deltaRaw;
    LWDVector deltaSnap;
    double pxRaw, pyRaw;
    int dx, dy;
    int px, py;
    int flags;       /* LWTOOLF_* */
    int portIndex;   /* viewport the event happened in */
} LWToolEvent;

#define LWTOOLF_CONSTRAIN 1
#define LWTOOLF_CONS_X 2
#define LWTOOLF_CONS_Y 4
#define LWTOOLF_ALT_BUTTON 8
#define LWTOOLF_MULTICLICK 16

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
} LWGizmoFuncs;

typedef struct st_LWMasterGizmo {
    LWInstance inst;
    LWGizmoFuncs *gizmo;
} LWMasterGizmo;

/* Layout tool. */
typedef LWGizmoFuncs LWToolFuncs;

typedef struct st_LWLayoutTool {
    LWInstance instance;
    LWToolFuncs *tool;
} LWLayoutTool;

/* Image filter. */
typedef struct st_LWFilterAccess {
    int width, height;
    LWFrame frame;
    LWTime start, end;
    /* one row of a named buffer ("Final_Render", "Alpha", ...) for a channel; null when unknown */
    const float *(*bufLine)(const char *bufferName, int channel, int y);
    void (*setRGB)(int x, int y, const float rgb[3]);
    void (*setAlpha)(int x, int y, float alpha);
} LWFilterAccess;

typedef struct st_LWImageFilterHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs *item;
    void (*process)(LWInstance inst, const LWFilterAccess *access);
    const char **(*flags)(LWInstance inst); /* null-terminated list of extra buffer names */
} LWImageFilterHandler;

/* Channel handler. */
typedef struct st_LWChannelAccess {
    LWChannelID chan;
    void *chanData; /* second identifier, handed back unchanged */
    LWFrame frame;
    LWTime time;
    void (*getChannel)(LWChannelID chan, void *chanData, LWTime time, double *value);
    void (*setChannel)(LWChannelID chan, void *chanData, double value);
} LWChannelAccess;

typedef struct st_LWChannelHandler {
    LWInstanceFuncs *inst;
    LWItemFuncs *item; /* null when the host does not offer the item part */
    void (*evaluate)(LWInstance inst, const LWChannelAccess *access);
    unsigned int (*flags)(LWInstance inst);
} LWChannelHandler;

/* Generic command. */
typedef struct st_LWLayoutGeneric {
    int (*evaluate)(void *data, const char *command);
    void *data;
} LWLayoutGeneric;

/* ---- Global services ------------------------------------------------------------------------- */

/* "LW Command Interface": returns 0 when the command failed. */
typedef int LWCommandFunc(const char *command);

/* "LW Item Info 9". */
typedef int LWItemType;
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
    LWItemType (*type)(LWItemID item);
    const char *(*name)(LWItemID item);
    LWChanGroupID (*chanGroup)(LWItemID item);
} LWItemInfo;

/* "LW Object Info 14". */
typedef struct st_LWObjectInfo {
    const char *(*filename)(LWItemID object);
    int (*numPoints)(LWItemID object);
    int (*numPolygons)(LWItemID object);
} LWObjectInfo;

/* "LW Camera Info 10". */
typedef struct st_LWCameraInfo {
    double (*zoomFactor)(LWItemID camera, LWTime time);
    double (*focalLength)(LWItemID camera, LWTime time);
    void (*resolution)(LWItemID camera, int *width, int *height);
    double (*pixelAspect)(LWItemID camera, LWTime time);
} LWCameraInfo;

/* "LW Scene Info 12": a snapshot, looked up again when it must be current. */
typedef struct st_LWSceneInfo {
    const char *name;
    const char *filename;
    LWFrame frameStart, frameEnd, frameStep;
    double framesPerSecond;
    int frameWidth, frameHeight;
    LWItemID (*renderCamera)(LWTime time);
} LWSceneInfo;

/* "LW Time Info": a snapshot. */
typedef struct st_LWTimeInfo {
    LWTime time;
    LWFrame frame;
} LWTimeInfo;

/* "LW Interface Info 8": a snapshot. */
typedef struct st_LWInterfaceInfo {
    LWTime curTime;
    const LWItemID *selItems; /* null-terminated */
    unsigned int (*itemFlags)(LWItemID item);
    LWFrame previewStart, previewEnd, previewStep;
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

typedef struct st_LWViewportInfo {
    int numViewports;
    int (*type)(int index);
    LWItemID (*viewItem)(int index);
    void (*rect)(int index, int *left, int *top, int *width, int *height);
    /* world position to window pixel coordinates of the viewport; returns 0 when it cannot */
    int (*project)(int index, const LWDVector world, double *winX, double *winY, double *winZ);
} LWViewportInfo;

/* "Channel Info 3". */
typedef struct st_LWChannelInfo {
    LWChanGroupID (*nextGroup)(LWChanGroupID parent, LWChanGroupID group);
    LWChannelID (*nextChannel)(LWChanGroupID parent, LWChannelID chan);
    const char *(*groupName)(LWChanGroupID group);
    const char *(*channelName)(LWChannelID chan);
    LWChanGroupID (*groupParent)(LWChanGroupID group);
    LWChanGroupID (*channelParent)(LWChannelID chan);
    double (*channelEvaluate)(LWChannelID chan, LWTime time);
} LWChannelInfo;

/* "Scene Objects 9": vertex maps of the scene's objects. */
#define LWVMAP_MORF LWID_('M', 'O', 'R', 'F')
#define LWVMAP_SPOT LWID_('S', 'P', 'O', 'T')
#define LWVMAP_WGHT LWID_('W', 'G', 'H', 'T')

typedef struct st_LWSceneObjects {
    int (*numVMaps)(LWID type);
    const char *(*vmapName)(LWID type, int index);
    int (*vmapDim)(LWID type, int index);
} LWSceneObjects;

/* "LW Communication Ring". */
typedef void (*RingEvent)(void *clientData, void *portData, int eventCode, void *eventData);

typedef struct st_LWComRing {
    int (*ringAttach)(const char *topic, LWInstance clientData, RingEvent callback);
    void (*ringDetach)(const char *topic, LWInstance clientData);
    void (*ringMessage)(const char *topic, int eventCode, void *eventData);
} LWComRing;

/* "Color Picker": an activation function over the local record below. */
typedef struct st_LWColorPickLocal {
    int result; /* > 0 chosen, 0 cancelled, < 0 failed */
    const char *title;
    float red, green, blue;
    void *data;
    void (*hotFunc)(void *data, float r, float g, float b);
} LWColorPickLocal;
typedef int LWColorActivateFunc(int version, LWColorPickLocal *local);

/* "File Request 3": an activation function over the request record below. */
#define FREQ_LOAD 1
#define FREQ_SAVE 2
#define FREQ_DIRECTORY 3
#define FREQ_MULTILOAD 4

typedef struct st_LWFileReqLocal {
    int reqType;
    int result; /* > 0 chosen, 0 cancelled, < 0 failed */
    const char *title;
    const char *fileType;
    char *path;
    char *baseName;
    char *fullName;
    int bufLen;
    int (*pickName)(void);
} LWFileReqLocal;
typedef int LWFileActivateFunc(int version, LWFileReqLocal *local);

/* "File Request": the older single-call requester. */
typedef int LWFileReqFunc(const char *hail, char *name, char *path, char *fullName, int bufLen);

/* ---- Classic panels ("LWPanelServices 3") ----------------------------------------------------- */

typedef struct st_Panel *LWPanelID;
typedef struct st_LWControl LWControl;
typedef LWControl *LWControlID;

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

typedef struct st_LWValString { int type; char *buf; int bufLen; } LWValString;
typedef struct st_LWValInt { int type; int value; int defVal; } LWValInt;
typedef struct st_LWValFloat { int type; double value; double defVal; } LWValFloat;
typedef struct st_LWValIVector { int type; int val[3]; int defVal; } LWValIVector;
typedef struct st_LWValFVector { int type; double val[3]; double defVal; } LWValFVector;
typedef struct st_LWValCustom { int type; int val[4]; } LWValCustom;
typedef struct st_LWValPointer { int type; void *ptr; } LWValPointer;

typedef union un_LWValue {
    int type;
    LWValString str;
    LWValInt intv;
    LWValFloat flt;
    LWValIVector ivec;
    LWValFVector fvec;
    LWValCustom cust;
    LWValPointer ptr;
} LWValue;

/* Control descriptors, selected by type. */
typedef struct st_LWDescString { int type; int width; } LWDescString;
typedef struct st_LWDescChoice { int type; const char **items; int vertical; } LWDescChoice;
typedef struct st_LWDescText { int type; const char **text; } LWDescText;
typedef struct st_LWDescRange { int type; int width; int min; int max; } LWDescRange;
typedef struct st_LWDescArea { int type; int width; int height; } LWDescArea;
typedef struct st_LWDescPopup {
    int type;
    int width;
    int (*countFn)(void *userData);
    const char *(*nameFn)(void *userData, int index);
} LWDescPopup;
typedef struct st_LWDescMultiList {
    int type;
    int width;
    int visItems;
    const char *(*nameFn)(void *userData, int column, int row);
    int (*countFn)(void *userData);
    int (*colWidth)(void *userData, int column);
    /* a click on a row: the row (-1 for the titles) and whether it became selected */
    void (*select)(void *userData, int row, int selecting);
} LWDescMultiList;

typedef union un_LWPanControlDesc {
    int type;
    LWDescString string;
    LWDescChoice choice;
    LWDescText text;
    LWDescRange range;
    LWDescArea area;
    LWDescPopup popup;
    LWDescMultiList multiList;
} LWPanControlDesc;

/* Control tags. */
typedef int cTag;
#define CTL_X 1
#define CTL_Y 2
#define CTL_W 3
#define CTL_H 4
#define CTL_VALUE 5
#define CTL_HOTX 6
#define CTL_HOTY 7
#define CTL_HOTW 8
#define CTL_HOTH 9
#define CTL_LABELWIDTH 10
#define CTL_MOUSEX 11
#define CTL_MOUSEY 12
#define CTL_FLAGS 13
#define CTL_USERDRAW 14
#define CTL_USEREVENT 15
#define CTL_USERDATA 16
#define CTL_PANFUN 17
#define CTL_PANEL 18
#define CTL_LABEL 19
#define CTL_RANGEMIN 20
#define CTL_RANGEMAX 21
#define CTL_ACTIVATE 22
#define CTL_PANEL_FUNCS 23

typedef void (*LWCtlEventFunc)(LWControlID control, void *userData);

struct st_LWControl {
    void (*draw)(LWControlID control, DrMode mode);
    void (*get)(LWControlID control, cTag tag, LWValue *value);
    void (*set)(LWControlID control, cTag tag, LWValue *value);
    void *priv_data;
};

/* Control values go through LWValue records: CTL_X .. CTL_LABELWIDTH as LWValInt, CTL_VALUE by the
   control's kind, CTL_USEREVENT (an LWCtlEventFunc) and CTL_USERDATA as LWValPointer.
   User data handed to a control's event function and to its popup or list callbacks is its
   CTL_USERDATA. */

/* Panel tags. Numeric tags take a pointer to an int; PAN_TITLE, PAN_USERDATA, PAN_LWINSTANCE and
   the hook tags (PAN_USERDRAW .. PAN_USERCLOSE, PAN_USERKEYS, PAN_MOUSEBUTTON, PAN_MOUSEMOVE,
   PAN_USERKEYUPS, PAN_MOUSEWHEEL, PAN_CONFIGTAG) take the pointer itself. Hooks receive the
   panel's PAN_USERDATA. */
typedef int pTag;
#define PAN_X 1
#define PAN_Y 2
#define PAN_W 3
#define PAN_H 4
#define PAN_MOUSEX 5
#define PAN_MOUSEY 6
#define PAN_USERDRAW 7
#define PAN_USERACTIVATE 8
#define PAN_USEROPEN 9
#define PAN_USERCLOSE 10
#define PAN_TITLE 11
#define PAN_USERDATA 12
#define PAN_USERKEYS 13
#define PAN_FLAGS 14
#define PAN_MOUSEBUTTON 15
#define PAN_MOUSEMOVE 16
#define PAN_PANFUN 17
#define PAN_VERSION 18
#define PAN_RESULT 19
#define PAN_HOSTDISPLAY 20
#define PAN_USERKEYUPS 21
#define PAN_LWINSTANCE 22
#define PAN_TO_FRONT 23
#define PAN_MOUSEWHEEL 24
#define PAN_CONFIGTAG 25
#define PAN_QUALIFIERS 26
#define PAN_MIN_W 27
#define PAN_MIN_H 28
#define PAN_MAX_W 29

/* Panel open flags. */
#define PANF_BLOCKING 1
#define PANF_CANCEL 2
#define PANF_FRAME 4
#define PANF_MOUSETRAP 8
#define PANF_PASSALLKEYS 16
#define PANF_ABORT 32
#define PANF_NOBUTT 64
#define PANF_RESIZE 128

/* Mouse qualifiers. */
#define IQ_CTRL 1
#define IQ_SHIFT 2
#define IQ_ALT 4
#define IQ_CONSTRAIN 8
#define IQ_ADJUST 16
#define MOUSE_LEFT 0x80
#define MOUSE_MID 0x100
#define MOUSE_RIGHT 0x200

typedef void (*LWPanHook)(LWPanelID panel, void *data);
typedef void (*LWPanDrawHook)(LWPanelID panel, void *data, DrMode mode);
typedef int (*LWPanKeyHook)(LWPanelID panel, void *data, unsigned int key);
typedef void (*LWPanMouseHook)(LWPanelID panel, void *data, int qualifiers, int x, int y);
typedef void (*LWPanWheelHook)(LWPanelID panel, void *data, int value, int x, int y);
typedef void (*LWPanConfigHook)(LWPanelID panel, void *data, int a, int b);

typedef struct st_LWDisplayMetrics {
    int width, height;
    int pixX, pixY;
    int maxColors, depth;
    int textHeight, textAscent;
} LWDisplayMetrics;

typedef struct st_LWRasterID *LWRasterID;

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
} LWPanelFuncs;

/* "RasterServices 4". */
typedef struct st_LWRasterFuncs {
    LWRasterID (*create)(int width, int height, int flags);
    void (*destroy)(LWRasterID raster);
    void (*blitPanel)(LWRasterID raster, int srcX, int srcY, LWPanelID panel, int dstX, int dstY, int w, int h);
} LWRasterFuncs;

/* ---- View panels ("LWXPanel 3") --------------------------------------------------------------- */

typedef unsigned int LWXPanelHint;

#define LWXP_VIEW 1
#define LWXP_FORM 2

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

typedef void *LWXPanelGetFunc(void *inst, unsigned long vid);
typedef int LWXPanelSetFunc(void *inst, unsigned long vid, void *value);
typedef void LWXPanelDestroyNotifyFunc(void *panelData);
typedef void LWXPanelBtnClickFunc(LWXPanelID panel, int cid);
typedef int LWXPanelPopCntFunc(void *userData);
typedef const char *LWXPanelPopNameFunc(void *userData, int index);

/* Hint tags; a hint array is a sequence of tag and arguments, ended by XPTAG_END. */
#define XPTAG_END 0u
#define XPTAG_LABEL 0x4c41424cu
#define XPTAG_DESTROYNOTIFY 0x444e4f54u
#define XPTAG_BUTNOTIFY 0x424e4f54u
#define XPTAG_POPFUNCS 0x504f5046u
#define XPTAG_MIN 0x4d494e20u
#define XPTAG_STEP 0x53544550u
#define XPTAG_GROUP 0x47525550u

typedef struct st_LWXPanelFuncs {
    int version;
    LWXPanelID (*create)(int type, LWXPanelControl *controls);
    void (*destroy)(LWXPanelID panel);
    void (*describe)(LWXPanelID panel, LWXPanelDataDesc *data, LWXPanelGetFunc *get, LWXPanelSetFunc *set);
    void (*hint)(LWXPanelID panel, unsigned long id, LWXPanelHint *hints);
    void *(*getData)(LWXPanelID panel, unsigned long id);
    void (*setData)(LWXPanelID panel, unsigned long id, void *data);
    void (*viewInst)(LWXPanelID panel, void *inst);
    void (*viewRefresh)(LWXPanelID panel);
    int (*post)(LWXPanelID panel);
    int (*open)(LWXPanelID panel);
} LWXPanelFuncs;

#ifdef __cplusplus
}
#endif

#endif /* ZK_LWHOST_H */
