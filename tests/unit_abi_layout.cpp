// abi_layout.cpp: the host's binary interface, pinned.
//
// Layout reads and fills the records of lwhost.h by their binary layout. Every record's size and
// alignment, every member's offset and size, every typedef's size and every constant's value below
// are the host's own figures for 64-bit Windows (LLP64), which x86-64 Linux (LP64) shares for these
// records; a change to the header that moves a member, or a build for a platform where one would
// move, fails to compile here. The service names and server classes are checked as texts.
#include "lwhost/lwhost.h"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

#define PIN(record, member, offset, size)                                                   \
    static_assert(offsetof(record, member) == (offset), #record "." #member " offset");     \
    static_assert(sizeof(record::member) == (size), #record "." #member " size")

constexpr bool SameText(const char *a, const char *b)
{
    return *a == *b && (*a == '\0' || SameText(a + 1, b + 1));
}

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

// ServerTagInfo
static_assert(sizeof(ServerTagInfo) == 16 && alignof(ServerTagInfo) == 8, "ServerTagInfo");
PIN(ServerTagInfo, string, 0, 8);
PIN(ServerTagInfo, tag, 8, 4);

// ServerRecord
static_assert(sizeof(ServerRecord) == 32 && alignof(ServerRecord) == 8, "ServerRecord");
PIN(ServerRecord, className, 0, 8);
PIN(ServerRecord, name, 8, 8);
PIN(ServerRecord, activate, 16, 8);
PIN(ServerRecord, tagInfo, 24, 8);

// ModuleDescriptor
static_assert(sizeof(ModuleDescriptor) == 40 && alignof(ModuleDescriptor) == 8, "ModuleDescriptor");
PIN(ModuleDescriptor, sysSync, 0, 4);
PIN(ModuleDescriptor, sysVersion, 4, 4);
PIN(ModuleDescriptor, sysMachine, 8, 4);
PIN(ModuleDescriptor, startup, 16, 8);
PIN(ModuleDescriptor, shutdown, 24, 8);
PIN(ModuleDescriptor, serverDefs, 32, 8);

// LWLoadState
static_assert(sizeof(LWLoadState) == 128 && alignof(LWLoadState) == 8, "LWLoadState");
PIN(LWLoadState, ioMode, 0, 4);
PIN(LWLoadState, readData, 8, 8);
PIN(LWLoadState, read, 16, 8);
PIN(LWLoadState, readI1, 24, 8);
PIN(LWLoadState, readI2, 32, 8);
PIN(LWLoadState, readI4, 40, 8);
PIN(LWLoadState, readU1, 48, 8);
PIN(LWLoadState, readU2, 56, 8);
PIN(LWLoadState, readU4, 64, 8);
PIN(LWLoadState, readFP, 72, 8);
PIN(LWLoadState, readStr, 80, 8);
PIN(LWLoadState, readID, 88, 8);
PIN(LWLoadState, findBlk, 96, 8);
PIN(LWLoadState, endBlk, 104, 8);
PIN(LWLoadState, depth, 112, 8);
PIN(LWLoadState, readDP, 120, 8);

// LWSaveState
static_assert(sizeof(LWSaveState) == 128 && alignof(LWSaveState) == 8, "LWSaveState");
PIN(LWSaveState, ioMode, 0, 4);
PIN(LWSaveState, writeData, 8, 8);
PIN(LWSaveState, write, 16, 8);
PIN(LWSaveState, writeI1, 24, 8);
PIN(LWSaveState, writeI2, 32, 8);
PIN(LWSaveState, writeI4, 40, 8);
PIN(LWSaveState, writeU1, 48, 8);
PIN(LWSaveState, writeU2, 56, 8);
PIN(LWSaveState, writeU4, 64, 8);
PIN(LWSaveState, writeFP, 72, 8);
PIN(LWSaveState, writeStr, 80, 8);
PIN(LWSaveState, writeID, 88, 8);
PIN(LWSaveState, beginBlk, 96, 8);
PIN(LWSaveState, endBlk, 104, 8);
PIN(LWSaveState, depth, 112, 8);
PIN(LWSaveState, writeDP, 120, 8);

// LWInstanceFuncs
static_assert(sizeof(LWInstanceFuncs) == 56 && alignof(LWInstanceFuncs) == 8, "LWInstanceFuncs");
PIN(LWInstanceFuncs, priv, 0, 8);
PIN(LWInstanceFuncs, create, 8, 8);
PIN(LWInstanceFuncs, destroy, 16, 8);
PIN(LWInstanceFuncs, copy, 24, 8);
PIN(LWInstanceFuncs, load, 32, 8);
PIN(LWInstanceFuncs, save, 40, 8);
PIN(LWInstanceFuncs, descln, 48, 8);

// LWItemFuncs
static_assert(sizeof(LWItemFuncs) == 24 && alignof(LWItemFuncs) == 8, "LWItemFuncs");
PIN(LWItemFuncs, useItems, 0, 8);
PIN(LWItemFuncs, changeID, 8, 8);
PIN(LWItemFuncs, changeName, 16, 8);

// LWMasterAccess
static_assert(sizeof(LWMasterAccess) == 48 && alignof(LWMasterAccess) == 8, "LWMasterAccess");
PIN(LWMasterAccess, eventCode, 0, 4);
PIN(LWMasterAccess, eventData, 8, 8);
PIN(LWMasterAccess, data, 16, 8);
PIN(LWMasterAccess, lookup, 24, 8);
PIN(LWMasterAccess, execute, 32, 8);
PIN(LWMasterAccess, evaluate, 40, 8);

// LWMasterHandler
static_assert(sizeof(LWMasterHandler) == 40 && alignof(LWMasterHandler) == 8, "LWMasterHandler");
PIN(LWMasterHandler, inst, 0, 8);
PIN(LWMasterHandler, item, 8, 8);
PIN(LWMasterHandler, type, 16, 4);
PIN(LWMasterHandler, event, 24, 8);
PIN(LWMasterHandler, flags, 32, 8);

// LWInterface
static_assert(sizeof(LWInterface) == 32 && alignof(LWInterface) == 8, "LWInterface");
PIN(LWInterface, inst, 0, 8);
PIN(LWInterface, panel, 8, 8);
PIN(LWInterface, options, 16, 8);
PIN(LWInterface, command, 24, 8);

// LWCustomObjAccess
static_assert(sizeof(LWCustomObjAccess) == 272 && alignof(LWCustomObjAccess) == 8, "LWCustomObjAccess");
PIN(LWCustomObjAccess, view, 0, 4);
PIN(LWCustomObjAccess, flags, 4, 4);
PIN(LWCustomObjAccess, dispData, 8, 8);
PIN(LWCustomObjAccess, setColor, 16, 8);
PIN(LWCustomObjAccess, setPattern, 24, 8);
PIN(LWCustomObjAccess, setTexture, 32, 8);
PIN(LWCustomObjAccess, setUVs, 40, 8);
PIN(LWCustomObjAccess, point, 48, 8);
PIN(LWCustomObjAccess, line, 56, 8);
PIN(LWCustomObjAccess, triangle, 64, 8);
PIN(LWCustomObjAccess, quad, 72, 8);
PIN(LWCustomObjAccess, circle, 80, 8);
PIN(LWCustomObjAccess, text, 88, 8);
PIN(LWCustomObjAccess, viewPos, 96, 24);
PIN(LWCustomObjAccess, viewDir, 120, 24);
PIN(LWCustomObjAccess, setCSysItem, 144, 8);
PIN(LWCustomObjAccess, polygon, 152, 8);
PIN(LWCustomObjAccess, polyIndexed, 160, 8);
PIN(LWCustomObjAccess, setDrawMode, 168, 8);
PIN(LWCustomObjAccess, disk, 176, 8);
PIN(LWCustomObjAccess, setPart, 184, 8);
PIN(LWCustomObjAccess, measureText, 192, 8);
PIN(LWCustomObjAccess, setThickness, 200, 8);
PIN(LWCustomObjAccess, circle2, 208, 8);
PIN(LWCustomObjAccess, disk2, 216, 8);
PIN(LWCustomObjAccess, setColorCC, 224, 8);
PIN(LWCustomObjAccess, getColor, 232, 8);
PIN(LWCustomObjAccess, pushMatrix, 240, 8);
PIN(LWCustomObjAccess, popMatrix, 248, 8);
PIN(LWCustomObjAccess, lineStrip, 256, 8);
PIN(LWCustomObjAccess, lineLoop, 264, 8);

// LWToolEvent
static_assert(sizeof(LWToolEvent) == 248 && alignof(LWToolEvent) == 8, "LWToolEvent");
PIN(LWToolEvent, posRaw, 0, 24);
PIN(LWToolEvent, posSnap, 24, 24);
PIN(LWToolEvent, deltaRaw, 48, 24);
PIN(LWToolEvent, deltaSnap, 72, 24);
PIN(LWToolEvent, axis, 96, 24);
PIN(LWToolEvent, ax, 120, 24);
PIN(LWToolEvent, ay, 144, 24);
PIN(LWToolEvent, az, 168, 24);
PIN(LWToolEvent, pxRaw, 192, 8);
PIN(LWToolEvent, pxSnap, 200, 8);
PIN(LWToolEvent, pyRaw, 208, 8);
PIN(LWToolEvent, pySnap, 216, 8);
PIN(LWToolEvent, dx, 224, 4);
PIN(LWToolEvent, dy, 228, 4);
PIN(LWToolEvent, portAxis, 232, 4);
PIN(LWToolEvent, flags, 236, 4);
PIN(LWToolEvent, viewNumber, 240, 4);

// LWGizmoFuncs
static_assert(sizeof(LWGizmoFuncs) == 112 && alignof(LWGizmoFuncs) == 8, "LWGizmoFuncs");
PIN(LWGizmoFuncs, done, 0, 8);
PIN(LWGizmoFuncs, draw, 8, 8);
PIN(LWGizmoFuncs, help, 16, 8);
PIN(LWGizmoFuncs, dirty, 24, 8);
PIN(LWGizmoFuncs, count, 32, 8);
PIN(LWGizmoFuncs, handle, 40, 8);
PIN(LWGizmoFuncs, start, 48, 8);
PIN(LWGizmoFuncs, adjust, 56, 8);
PIN(LWGizmoFuncs, down, 64, 8);
PIN(LWGizmoFuncs, move, 72, 8);
PIN(LWGizmoFuncs, up, 80, 8);
PIN(LWGizmoFuncs, event, 88, 8);
PIN(LWGizmoFuncs, panel, 96, 8);
PIN(LWGizmoFuncs, end, 104, 8);

// LWMasterGizmo
static_assert(sizeof(LWMasterGizmo) == 24 && alignof(LWMasterGizmo) == 8, "LWMasterGizmo");
PIN(LWMasterGizmo, instance, 0, 8);
PIN(LWMasterGizmo, gizmo, 8, 8);
PIN(LWMasterGizmo, pickItems, 16, 8);

// LWToolFuncs
static_assert(sizeof(LWToolFuncs) == 120 && alignof(LWToolFuncs) == 8, "LWToolFuncs");
PIN(LWToolFuncs, done, 0, 8);
PIN(LWToolFuncs, draw, 8, 8);
PIN(LWToolFuncs, help, 16, 8);
PIN(LWToolFuncs, dirty, 24, 8);
PIN(LWToolFuncs, count, 32, 8);
PIN(LWToolFuncs, handle, 40, 8);
PIN(LWToolFuncs, start, 48, 8);
PIN(LWToolFuncs, adjust, 56, 8);
PIN(LWToolFuncs, down, 64, 8);
PIN(LWToolFuncs, move, 72, 8);
PIN(LWToolFuncs, up, 80, 8);
PIN(LWToolFuncs, event, 88, 8);
PIN(LWToolFuncs, panel, 96, 8);
PIN(LWToolFuncs, end, 104, 8);
PIN(LWToolFuncs, key, 112, 8);

// LWLayoutTool
static_assert(sizeof(LWLayoutTool) == 16 && alignof(LWLayoutTool) == 8, "LWLayoutTool");
PIN(LWLayoutTool, instance, 0, 8);
PIN(LWLayoutTool, tool, 8, 8);

// LWFilterAccess
static_assert(sizeof(LWFilterAccess) == 72 && alignof(LWFilterAccess) == 8, "LWFilterAccess");
PIN(LWFilterAccess, width, 0, 4);
PIN(LWFilterAccess, height, 4, 4);
PIN(LWFilterAccess, frame, 8, 4);
PIN(LWFilterAccess, start, 16, 8);
PIN(LWFilterAccess, end, 24, 8);
PIN(LWFilterAccess, layers, 32, 8);
PIN(LWFilterAccess, getLine, 40, 8);
PIN(LWFilterAccess, setRGB, 48, 8);
PIN(LWFilterAccess, setAlpha, 56, 8);
PIN(LWFilterAccess, monitor, 64, 8);

// LWImageFilterHandler
static_assert(sizeof(LWImageFilterHandler) == 32 && alignof(LWImageFilterHandler) == 8, "LWImageFilterHandler");
PIN(LWImageFilterHandler, inst, 0, 8);
PIN(LWImageFilterHandler, item, 8, 8);
PIN(LWImageFilterHandler, process, 16, 8);
PIN(LWImageFilterHandler, flags, 24, 8);

// LWChannelAccess
static_assert(sizeof(LWChannelAccess) == 64 && alignof(LWChannelAccess) == 8, "LWChannelAccess");
PIN(LWChannelAccess, priv, 0, 8);
PIN(LWChannelAccess, channel, 8, 8);
PIN(LWChannelAccess, frame, 16, 4);
PIN(LWChannelAccess, time, 24, 8);
PIN(LWChannelAccess, value, 32, 8);
PIN(LWChannelAccess, getChannel, 40, 8);
PIN(LWChannelAccess, setChannel, 48, 8);
PIN(LWChannelAccess, channelName, 56, 8);

// LWChannelHandler
static_assert(sizeof(LWChannelHandler) == 32 && alignof(LWChannelHandler) == 8, "LWChannelHandler");
PIN(LWChannelHandler, inst, 0, 8);
PIN(LWChannelHandler, item, 8, 8);
PIN(LWChannelHandler, evaluate, 16, 8);
PIN(LWChannelHandler, flags, 24, 8);

// LWLayoutGeneric
static_assert(sizeof(LWLayoutGeneric) == 64 && alignof(LWLayoutGeneric) == 8, "LWLayoutGeneric");
PIN(LWLayoutGeneric, saveScene, 0, 8);
PIN(LWLayoutGeneric, loadScene, 8, 8);
PIN(LWLayoutGeneric, data, 16, 8);
PIN(LWLayoutGeneric, lookup, 24, 8);
PIN(LWLayoutGeneric, execute, 32, 8);
PIN(LWLayoutGeneric, evaluate, 40, 8);
PIN(LWLayoutGeneric, commandArguments, 48, 8);
PIN(LWLayoutGeneric, parsedArguments, 56, 8);

// LWItemInfo
static_assert(sizeof(LWItemInfo) == 336 && alignof(LWItemInfo) == 8, "LWItemInfo");
PIN(LWItemInfo, first, 0, 8);
PIN(LWItemInfo, next, 8, 8);
PIN(LWItemInfo, firstChild, 16, 8);
PIN(LWItemInfo, nextChild, 24, 8);
PIN(LWItemInfo, parent, 32, 8);
PIN(LWItemInfo, target, 40, 8);
PIN(LWItemInfo, goal, 48, 8);
PIN(LWItemInfo, type, 56, 8);
PIN(LWItemInfo, name, 64, 8);
PIN(LWItemInfo, param, 72, 8);
PIN(LWItemInfo, limits, 80, 8);
PIN(LWItemInfo, getTag, 88, 8);
PIN(LWItemInfo, setTag, 96, 8);
PIN(LWItemInfo, chanGroup, 104, 8);
PIN(LWItemInfo, server, 112, 8);
PIN(LWItemInfo, serverFlags, 120, 8);
PIN(LWItemInfo, controller, 128, 8);
PIN(LWItemInfo, flags, 136, 8);
PIN(LWItemInfo, lookAhead, 144, 8);
PIN(LWItemInfo, goalStrength, 152, 8);
PIN(LWItemInfo, stiffness, 160, 8);
PIN(LWItemInfo, axisLocks, 168, 8);
PIN(LWItemInfo, maxLookSteps, 176, 8);
PIN(LWItemInfo, reliableDistance, 184, 8);
PIN(LWItemInfo, goalObjective, 192, 8);
PIN(LWItemInfo, ikfkBlending, 200, 8);
PIN(LWItemInfo, ikInitialState, 208, 8);
PIN(LWItemInfo, ikInitialStateFrame, 216, 8);
PIN(LWItemInfo, ikSoft, 224, 8);
PIN(LWItemInfo, pole, 232, 8);
PIN(LWItemInfo, sameItem, 240, 8);
PIN(LWItemInfo, sameItemBlend, 248, 8);
PIN(LWItemInfo, sameItemBlendMethod, 256, 8);
PIN(LWItemInfo, sameItemFlags, 264, 8);
PIN(LWItemInfo, selected, 272, 8);
PIN(LWItemInfo, follow, 280, 8);
PIN(LWItemInfo, controllerTrans, 288, 8);
PIN(LWItemInfo, splineItem, 296, 8);
PIN(LWItemInfo, splineFit, 304, 8);
PIN(LWItemInfo, splineT, 312, 8);
PIN(LWItemInfo, rotationOrder, 320, 8);
PIN(LWItemInfo, relparam, 328, 8);

// LWObjectInfo
static_assert(sizeof(LWObjectInfo) == 408 && alignof(LWObjectInfo) == 8, "LWObjectInfo");
PIN(LWObjectInfo, filename, 0, 8);
PIN(LWObjectInfo, numPoints, 8, 8);
PIN(LWObjectInfo, numPolygons, 16, 8);
PIN(LWObjectInfo, shadowOpts, 24, 8);
PIN(LWObjectInfo, dissolve, 32, 8);
PIN(LWObjectInfo, meshInfo, 40, 8);
PIN(LWObjectInfo, flags, 48, 8);
PIN(LWObjectInfo, fog, 56, 8);
PIN(LWObjectInfo, dispMap, 64, 8);
PIN(LWObjectInfo, clipMap, 72, 8);
PIN(LWObjectInfo, patchLevel, 80, 8);
PIN(LWObjectInfo, metaballRes, 88, 8);
PIN(LWObjectInfo, boneSource, 96, 8);
PIN(LWObjectInfo, morphTarget, 104, 8);
PIN(LWObjectInfo, morphAmount, 112, 8);
PIN(LWObjectInfo, edgeOpts, 120, 8);
PIN(LWObjectInfo, edgeColor, 128, 8);
PIN(LWObjectInfo, subdivOrder, 136, 8);
PIN(LWObjectInfo, polygonSize, 144, 8);
PIN(LWObjectInfo, excluded, 152, 8);
PIN(LWObjectInfo, matteColor, 160, 8);
PIN(LWObjectInfo, thickness, 168, 8);
PIN(LWObjectInfo, edgeZScale, 176, 8);
PIN(LWObjectInfo, shrinkEdgesNominalDistance, 184, 8);
PIN(LWObjectInfo, maxDissolveDistance, 192, 8);
PIN(LWObjectInfo, bumpDistance, 200, 8);
PIN(LWObjectInfo, getGroupIndex, 208, 8);
PIN(LWObjectInfo, dispMapOrder, 216, 8);
PIN(LWObjectInfo, bumpOrder, 224, 8);
PIN(LWObjectInfo, getNodeEditor, 232, 8);
PIN(LWObjectInfo, nodeOrder, 240, 8);
PIN(LWObjectInfo, bounds, 248, 8);
PIN(LWObjectInfo, shadowoffsetdistance, 256, 8);
PIN(LWObjectInfo, instancer, 264, 8);
PIN(LWObjectInfo, getEdgeNodeEditor, 272, 8);
PIN(LWObjectInfo, layerLoaded, 280, 8);
PIN(LWObjectInfo, getAlphaValue, 288, 8);
PIN(LWObjectInfo, giMode, 296, 8);
PIN(LWObjectInfo, bruteForceRays, 304, 8);
PIN(LWObjectInfo, primaryRays, 312, 8);
PIN(LWObjectInfo, secondaryRays, 320, 8);
PIN(LWObjectInfo, missingSampleRays, 328, 8);
PIN(LWObjectInfo, angularTolerance, 336, 8);
PIN(LWObjectInfo, minimumPixelSpacing, 344, 8);
PIN(LWObjectInfo, maximumPixelSpacing, 352, 8);
PIN(LWObjectInfo, pntIndex, 360, 8);
PIN(LWObjectInfo, polIndex, 368, 8);
PIN(LWObjectInfo, boneMode, 376, 8);
PIN(LWObjectInfo, numLimitedBones, 384, 8);
PIN(LWObjectInfo, numBoneWeightsPnts, 392, 8);
PIN(LWObjectInfo, boneWeights, 400, 8);

// LWCameraInfo
static_assert(sizeof(LWCameraInfo) == 320 && alignof(LWCameraInfo) == 8, "LWCameraInfo");
PIN(LWCameraInfo, zoomFactor, 0, 8);
PIN(LWCameraInfo, focalLength, 8, 8);
PIN(LWCameraInfo, focalDistance, 16, 8);
PIN(LWCameraInfo, fStop, 24, 8);
PIN(LWCameraInfo, blurLength, 32, 8);
PIN(LWCameraInfo, fovAngles, 40, 8);
PIN(LWCameraInfo, flags, 48, 8);
PIN(LWCameraInfo, resolution, 56, 8);
PIN(LWCameraInfo, pixelAspect, 64, 8);
PIN(LWCameraInfo, separation, 72, 8);
PIN(LWCameraInfo, regionLimits, 80, 8);
PIN(LWCameraInfo, maskLimits, 88, 8);
PIN(LWCameraInfo, maskColor, 96, 8);
PIN(LWCameraInfo, motionBlur, 104, 8);
PIN(LWCameraInfo, fieldRendering, 112, 8);
PIN(LWCameraInfo, irisPos, 120, 8);
PIN(LWCameraInfo, usingGlobalResolution, 128, 8);
PIN(LWCameraInfo, usingGlobalBlur, 136, 8);
PIN(LWCameraInfo, usingGlobalMask, 144, 8);
PIN(LWCameraInfo, motionBlurPasses, 152, 8);
PIN(LWCameraInfo, shutterEfficiency, 160, 8);
PIN(LWCameraInfo, noiseSampler, 168, 8);
PIN(LWCameraInfo, filmSize, 176, 8);
PIN(LWCameraInfo, frameTiming, 184, 8);
PIN(LWCameraInfo, antiAliasing, 192, 8);
PIN(LWCameraInfo, overSampling, 200, 8);
PIN(LWCameraInfo, diaphragm, 208, 8);
PIN(LWCameraInfo, convergencePoint, 216, 8);
PIN(LWCameraInfo, usingConvergencePoint, 224, 8);
PIN(LWCameraInfo, convergenceToeIn, 232, 8);
PIN(LWCameraInfo, eyeTransform, 240, 8);
PIN(LWCameraInfo, rollingShutter, 248, 8);
PIN(LWCameraInfo, shutterOpen, 256, 8);
PIN(LWCameraInfo, minSamples, 264, 8);
PIN(LWCameraInfo, maxSamples, 272, 8);
PIN(LWCameraInfo, trackedEye, 280, 8);
PIN(LWCameraInfo, overscanMode, 288, 8);
PIN(LWCameraInfo, overscanSize, 296, 8);
PIN(LWCameraInfo, resolutionmultiplier, 304, 8);
PIN(LWCameraInfo, overscanPixels, 312, 8);

// LWSceneInfo
static_assert(sizeof(LWSceneInfo) == 424 && alignof(LWSceneInfo) == 8, "LWSceneInfo");
PIN(LWSceneInfo, name, 0, 8);
PIN(LWSceneInfo, filename, 8, 8);
PIN(LWSceneInfo, numPoints, 16, 4);
PIN(LWSceneInfo, numPolygons, 20, 4);
PIN(LWSceneInfo, renderType, 24, 4);
PIN(LWSceneInfo, renderOpts, 28, 4);
PIN(LWSceneInfo, frameStart, 32, 4);
PIN(LWSceneInfo, frameEnd, 36, 4);
PIN(LWSceneInfo, frameStep, 40, 4);
PIN(LWSceneInfo, framesPerSecond, 48, 8);
PIN(LWSceneInfo, frameWidth, 56, 4);
PIN(LWSceneInfo, frameHeight, 60, 4);
PIN(LWSceneInfo, pixelAspect, 64, 8);
PIN(LWSceneInfo, minSamplesPerPixel, 72, 4);
PIN(LWSceneInfo, maxSamplesPerPixel, 76, 4);
PIN(LWSceneInfo, limitedRegion, 80, 16);
PIN(LWSceneInfo, recursionDepth, 96, 4);
PIN(LWSceneInfo, renderCamera, 104, 8);
PIN(LWSceneInfo, numThreads, 112, 4);
PIN(LWSceneInfo, animFilename, 120, 8);
PIN(LWSceneInfo, RGBPrefix, 128, 8);
PIN(LWSceneInfo, alphaPrefix, 136, 8);
PIN(LWSceneInfo, antialiasing, 144, 4);
PIN(LWSceneInfo, enhancedAA, 148, 4);
PIN(LWSceneInfo, adaptiveSampling, 152, 4);
PIN(LWSceneInfo, adaptiveThreshold, 156, 4);
PIN(LWSceneInfo, filter, 160, 4);
PIN(LWSceneInfo, dblSidedAreaLights, 164, 4);
PIN(LWSceneInfo, loadInProgress, 168, 4);
PIN(LWSceneInfo, radiosityType, 172, 4);
PIN(LWSceneInfo, radiosityIndirectBounceCount, 176, 4);
PIN(LWSceneInfo, radiosityRaysPerEvaluation1, 180, 4);
PIN(LWSceneInfo, radiosityRaysPerEvaluation2, 184, 4);
PIN(LWSceneInfo, radiosityIntensity, 192, 8);
PIN(LWSceneInfo, radiosityAngularTolerance, 200, 8);
PIN(LWSceneInfo, radiosityMinimumPixelSpacing, 208, 8);
PIN(LWSceneInfo, radiosityMaximumPixelSpacing, 216, 8);
PIN(LWSceneInfo, radiosityMultiplier, 224, 8);
PIN(LWSceneInfo, radiosityFileName, 232, 8);
PIN(LWSceneInfo, causticsIntensity, 240, 8);
PIN(LWSceneInfo, causticsAccuracy, 248, 4);
PIN(LWSceneInfo, causticsSoftness, 252, 4);
PIN(LWSceneInfo, radiosityFlags, 256, 4);
PIN(LWSceneInfo, dynamicsRangeMin, 264, 8);
PIN(LWSceneInfo, dynamicsRangeMax, 272, 8);
PIN(LWSceneInfo, saturation, 280, 8);
PIN(LWSceneInfo, pixelFilterForceMT, 288, 4);
PIN(LWSceneInfo, has_multithreaded_filters, 292, 4);
PIN(LWSceneInfo, useZminmax, 296, 4);
PIN(LWSceneInfo, zmin, 304, 8);
PIN(LWSceneInfo, zmax, 312, 8);
PIN(LWSceneInfo, rendermode, 320, 4);
PIN(LWSceneInfo, calculateallnormals, 324, 4);
PIN(LWSceneInfo, enableLenseFlares, 328, 4);
PIN(LWSceneInfo, lenseFlareIntensity, 336, 8);
PIN(LWSceneInfo, buffersInUse, 344, 8);
PIN(LWSceneInfo, animationPass, 352, 4);
PIN(LWSceneInfo, raycutoff, 356, 4);
PIN(LWSceneInfo, shadingsamples, 360, 4);
PIN(LWSceneInfo, lightsamples, 364, 4);
PIN(LWSceneInfo, lightthreshold, 368, 4);
PIN(LWSceneInfo, rangeType, 372, 4);
PIN(LWSceneInfo, rangeFrames, 376, 8);
PIN(LWSceneInfo, rangeObject, 384, 8);
PIN(LWSceneInfo, rangeChannel, 392, 4);
PIN(LWSceneInfo, transparencyDepth, 396, 4);
PIN(LWSceneInfo, reflectionDepth, 400, 4);
PIN(LWSceneInfo, refractionDepth, 404, 4);
PIN(LWSceneInfo, reflectionsamples, 408, 4);
PIN(LWSceneInfo, refractionsamples, 412, 4);
PIN(LWSceneInfo, scatteringsamples, 416, 4);
PIN(LWSceneInfo, mipmapMultiplier, 420, 4);

// LWTimeInfo
static_assert(sizeof(LWTimeInfo) == 16 && alignof(LWTimeInfo) == 8, "LWTimeInfo");
PIN(LWTimeInfo, time, 0, 8);
PIN(LWTimeInfo, frame, 8, 4);

// LWInterfaceInfo
static_assert(sizeof(LWInterfaceInfo) == 136 && alignof(LWInterfaceInfo) == 8, "LWInterfaceInfo");
PIN(LWInterfaceInfo, curTime, 0, 8);
PIN(LWInterfaceInfo, selItems, 8, 8);
PIN(LWInterfaceInfo, itemFlags, 16, 8);
PIN(LWInterfaceInfo, previewStart, 24, 4);
PIN(LWInterfaceInfo, previewEnd, 28, 4);
PIN(LWInterfaceInfo, previewStep, 32, 4);
PIN(LWInterfaceInfo, dynaUpdate, 36, 4);
PIN(LWInterfaceInfo, schemaPos, 40, 8);
PIN(LWInterfaceInfo, itemVis, 48, 8);
PIN(LWInterfaceInfo, displayFlags, 56, 4);
PIN(LWInterfaceInfo, generalFlags, 60, 4);
PIN(LWInterfaceInfo, boxThreshold, 64, 4);
PIN(LWInterfaceInfo, itemColor, 72, 8);
PIN(LWInterfaceInfo, setItemColorIndex, 80, 8);
PIN(LWInterfaceInfo, setItemColorCustom, 88, 8);
PIN(LWInterfaceInfo, alertLevel, 96, 4);
PIN(LWInterfaceInfo, autoKeyCreate, 100, 4);
PIN(LWInterfaceInfo, defaultItemTypeColor, 104, 8);
PIN(LWInterfaceInfo, itemColorRgba, 112, 8);
PIN(LWInterfaceInfo, itemIconScale, 120, 8);
PIN(LWInterfaceInfo, DPIScalar, 128, 8);

// LWViewportInfo
static_assert(sizeof(LWViewportInfo) == 184 && alignof(LWViewportInfo) == 8, "LWViewportInfo");
PIN(LWViewportInfo, numViewports, 0, 4);
PIN(LWViewportInfo, type, 8, 8);
PIN(LWViewportInfo, flags, 16, 8);
PIN(LWViewportInfo, pos, 24, 8);
PIN(LWViewportInfo, xfrm, 32, 8);
PIN(LWViewportInfo, clip, 40, 8);
PIN(LWViewportInfo, rect, 48, 8);
PIN(LWViewportInfo, viewLevel, 56, 8);
PIN(LWViewportInfo, projection, 64, 8);
PIN(LWViewportInfo, modelview, 72, 8);
PIN(LWViewportInfo, project, 80, 8);
PIN(LWViewportInfo, unproject, 88, 8);
PIN(LWViewportInfo, pixelSize, 96, 8);
PIN(LWViewportInfo, handleSize, 104, 8);
PIN(LWViewportInfo, gridSize, 112, 8);
PIN(LWViewportInfo, viewItem, 120, 8);
PIN(LWViewportInfo, gridType, 128, 8);
PIN(LWViewportInfo, viewPicking, 136, 8);
PIN(LWViewportInfo, hoverIndex, 144, 8);
PIN(LWViewportInfo, bgImage, 152, 8);
PIN(LWViewportInfo, handleSmoothing, 160, 8);
PIN(LWViewportInfo, getActivePreview, 168, 8);
PIN(LWViewportInfo, getBackingScale, 176, 8);

// LWChannelInfo
static_assert(sizeof(LWChannelInfo) == 120 && alignof(LWChannelInfo) == 8, "LWChannelInfo");
PIN(LWChannelInfo, nextGroup, 0, 8);
PIN(LWChannelInfo, nextChannel, 8, 8);
PIN(LWChannelInfo, groupName, 16, 8);
PIN(LWChannelInfo, channelName, 24, 8);
PIN(LWChannelInfo, groupParent, 32, 8);
PIN(LWChannelInfo, channelParent, 40, 8);
PIN(LWChannelInfo, channelType, 48, 8);
PIN(LWChannelInfo, channelEvaluate, 56, 8);
PIN(LWChannelInfo, channelEnvelope, 64, 8);
PIN(LWChannelInfo, setChannelEvent, 72, 8);
PIN(LWChannelInfo, server, 80, 8);
PIN(LWChannelInfo, serverFlags, 88, 8);
PIN(LWChannelInfo, serverInstance, 96, 8);
PIN(LWChannelInfo, serverApply, 104, 8);
PIN(LWChannelInfo, serverRemove, 112, 8);

// LWSceneObjects
static_assert(sizeof(LWSceneObjects) == 128 && alignof(LWSceneObjects) == 8, "LWSceneObjects");
PIN(LWSceneObjects, numObjects, 0, 8);
PIN(LWSceneObjects, filename, 8, 8);
PIN(LWSceneObjects, maxLayers, 16, 8);
PIN(LWSceneObjects, layerExists, 24, 8);
PIN(LWSceneObjects, pivotPoint, 32, 8);
PIN(LWSceneObjects, layerMesh, 40, 8);
PIN(LWSceneObjects, numVMaps, 48, 8);
PIN(LWSceneObjects, vmapName, 56, 8);
PIN(LWSceneObjects, vmapDim, 64, 8);
PIN(LWSceneObjects, vmapType, 72, 8);
PIN(LWSceneObjects, layerName, 80, 8);
PIN(LWSceneObjects, layerVis, 88, 8);
PIN(LWSceneObjects, userName, 96, 8);
PIN(LWSceneObjects, refName, 104, 8);
PIN(LWSceneObjects, maxPointsPerPoly, 112, 4);
PIN(LWSceneObjects, focusObject, 120, 8);

// LWComRing
static_assert(sizeof(LWComRing) == 24 && alignof(LWComRing) == 8, "LWComRing");
PIN(LWComRing, ringAttach, 0, 8);
PIN(LWComRing, ringDetach, 8, 8);
PIN(LWComRing, ringMessage, 16, 8);

// LWColorPickLocal
static_assert(sizeof(LWColorPickLocal) == 56 && alignof(LWColorPickLocal) == 8, "LWColorPickLocal");
PIN(LWColorPickLocal, result, 0, 4);
PIN(LWColorPickLocal, title, 8, 8);
PIN(LWColorPickLocal, red, 16, 4);
PIN(LWColorPickLocal, green, 20, 4);
PIN(LWColorPickLocal, blue, 24, 4);
PIN(LWColorPickLocal, data, 32, 8);
PIN(LWColorPickLocal, hotFunc, 40, 8);
PIN(LWColorPickLocal, colorSpace, 48, 8);

// LWFileReqLocal
static_assert(sizeof(LWFileReqLocal) == 64 && alignof(LWFileReqLocal) == 8, "LWFileReqLocal");
PIN(LWFileReqLocal, reqType, 0, 4);
PIN(LWFileReqLocal, result, 4, 4);
PIN(LWFileReqLocal, title, 8, 8);
PIN(LWFileReqLocal, fileType, 16, 8);
PIN(LWFileReqLocal, path, 24, 8);
PIN(LWFileReqLocal, baseName, 32, 8);
PIN(LWFileReqLocal, fullName, 40, 8);
PIN(LWFileReqLocal, bufLen, 48, 4);
PIN(LWFileReqLocal, pickName, 56, 8);

// LWControl
static_assert(sizeof(LWControl) == 32 && alignof(LWControl) == 8, "LWControl");
PIN(LWControl, draw, 0, 8);
PIN(LWControl, get, 8, 8);
PIN(LWControl, set, 16, 8);
PIN(LWControl, priv_data, 24, 8);

// LWValString
static_assert(sizeof(LWValString) == 24 && alignof(LWValString) == 8, "LWValString");
PIN(LWValString, type, 0, 4);
PIN(LWValString, buf, 8, 8);
PIN(LWValString, bufLen, 16, 4);

// LWValInt
static_assert(sizeof(LWValInt) == 12 && alignof(LWValInt) == 4, "LWValInt");
PIN(LWValInt, type, 0, 4);
PIN(LWValInt, value, 4, 4);
PIN(LWValInt, defVal, 8, 4);

// LWValFloat
static_assert(sizeof(LWValFloat) == 24 && alignof(LWValFloat) == 8, "LWValFloat");
PIN(LWValFloat, type, 0, 4);
PIN(LWValFloat, value, 8, 8);
PIN(LWValFloat, defVal, 16, 8);

// LWValIVector
static_assert(sizeof(LWValIVector) == 20 && alignof(LWValIVector) == 4, "LWValIVector");
PIN(LWValIVector, type, 0, 4);
PIN(LWValIVector, val, 4, 12);
PIN(LWValIVector, defVal, 16, 4);

// LWValFVector
static_assert(sizeof(LWValFVector) == 40 && alignof(LWValFVector) == 8, "LWValFVector");
PIN(LWValFVector, type, 0, 4);
PIN(LWValFVector, val, 8, 24);
PIN(LWValFVector, defVal, 32, 8);

// LWValCustom
static_assert(sizeof(LWValCustom) == 20 && alignof(LWValCustom) == 4, "LWValCustom");
PIN(LWValCustom, type, 0, 4);
PIN(LWValCustom, val, 4, 16);

// LWValPointer
static_assert(sizeof(LWValPointer) == 16 && alignof(LWValPointer) == 8, "LWValPointer");
PIN(LWValPointer, type, 0, 4);
PIN(LWValPointer, ptr, 8, 8);

// LWValue
static_assert(sizeof(LWValue) == 40 && alignof(LWValue) == 8, "LWValue");
PIN(LWValue, type, 0, 4);
PIN(LWValue, str, 0, 24);
PIN(LWValue, intv, 0, 12);
PIN(LWValue, flt, 0, 24);
PIN(LWValue, ivec, 0, 20);
PIN(LWValue, fvec, 0, 40);
PIN(LWValue, ptr, 0, 16);
PIN(LWValue, cust, 0, 20);

// LWDescString
static_assert(sizeof(LWDescString) == 8 && alignof(LWDescString) == 4, "LWDescString");
PIN(LWDescString, type, 0, 4);
PIN(LWDescString, width, 4, 4);

// LWDescChoice
static_assert(sizeof(LWDescChoice) == 24 && alignof(LWDescChoice) == 8, "LWDescChoice");
PIN(LWDescChoice, type, 0, 4);
PIN(LWDescChoice, items, 8, 8);
PIN(LWDescChoice, vertical, 16, 4);

// LWDescText
static_assert(sizeof(LWDescText) == 16 && alignof(LWDescText) == 8, "LWDescText");
PIN(LWDescText, type, 0, 4);
PIN(LWDescText, text, 8, 8);

// LWDescRange
static_assert(sizeof(LWDescRange) == 16 && alignof(LWDescRange) == 4, "LWDescRange");
PIN(LWDescRange, type, 0, 4);
PIN(LWDescRange, width, 4, 4);
PIN(LWDescRange, min, 8, 4);
PIN(LWDescRange, max, 12, 4);

// LWDescArea
static_assert(sizeof(LWDescArea) == 12 && alignof(LWDescArea) == 4, "LWDescArea");
PIN(LWDescArea, type, 0, 4);
PIN(LWDescArea, width, 4, 4);
PIN(LWDescArea, height, 8, 4);

// LWDescPopup
static_assert(sizeof(LWDescPopup) == 48 && alignof(LWDescPopup) == 8, "LWDescPopup");
PIN(LWDescPopup, type, 0, 4);
PIN(LWDescPopup, width, 4, 4);
PIN(LWDescPopup, countFn, 8, 8);
PIN(LWDescPopup, nameFn, 16, 8);
PIN(LWDescPopup, faceFn, 24, 8);
PIN(LWDescPopup, typeFn, 32, 8);
PIN(LWDescPopup, subMFn, 40, 8);

// LWDescMultiList
static_assert(sizeof(LWDescMultiList) == 40 && alignof(LWDescMultiList) == 8, "LWDescMultiList");
PIN(LWDescMultiList, type, 0, 4);
PIN(LWDescMultiList, width, 4, 4);
PIN(LWDescMultiList, visItems, 8, 4);
PIN(LWDescMultiList, top, 12, 4);
PIN(LWDescMultiList, countFn, 16, 8);
PIN(LWDescMultiList, nameFn, 24, 8);
PIN(LWDescMultiList, colWidth, 32, 8);

// LWPanControlDesc
static_assert(sizeof(LWPanControlDesc) == 56 && alignof(LWPanControlDesc) == 8, "LWPanControlDesc");
PIN(LWPanControlDesc, type, 0, 4);
PIN(LWPanControlDesc, string, 0, 8);
PIN(LWPanControlDesc, choice, 0, 24);
PIN(LWPanControlDesc, text, 0, 16);
PIN(LWPanControlDesc, range, 0, 16);
PIN(LWPanControlDesc, area, 0, 12);
PIN(LWPanControlDesc, lwitem, 0, 40);
PIN(LWPanControlDesc, popup, 0, 48);
PIN(LWPanControlDesc, listbox, 0, 32);
PIN(LWPanControlDesc, xpanel, 0, 24);
PIN(LWPanControlDesc, tree, 0, 48);
PIN(LWPanControlDesc, multiList, 0, 40);
PIN(LWPanControlDesc, multiTree, 0, 56);
PIN(LWPanControlDesc, editor, 0, 32);

// LWDisplayMetrics
static_assert(sizeof(LWDisplayMetrics) == 32 && alignof(LWDisplayMetrics) == 4, "LWDisplayMetrics");
PIN(LWDisplayMetrics, width, 0, 4);
PIN(LWDisplayMetrics, height, 4, 4);
PIN(LWDisplayMetrics, pixX, 8, 4);
PIN(LWDisplayMetrics, pixY, 12, 4);
PIN(LWDisplayMetrics, maxColors, 16, 4);
PIN(LWDisplayMetrics, depth, 20, 4);
PIN(LWDisplayMetrics, textHeight, 24, 4);
PIN(LWDisplayMetrics, textAscent, 28, 4);

// DrawFuncs
static_assert(sizeof(DrawFuncs) == 72 && alignof(DrawFuncs) == 8, "DrawFuncs");
PIN(DrawFuncs, drawPixel, 0, 8);
PIN(DrawFuncs, drawRGBPixel, 8, 8);
PIN(DrawFuncs, drawLine, 16, 8);
PIN(DrawFuncs, drawBox, 24, 8);
PIN(DrawFuncs, drawRGBBox, 32, 8);
PIN(DrawFuncs, drawBorder, 40, 8);
PIN(DrawFuncs, textWidth, 48, 8);
PIN(DrawFuncs, drawText, 56, 8);
PIN(DrawFuncs, dispMetrics, 64, 8);

// LWPanelFuncs
static_assert(sizeof(LWPanelFuncs) == 128 && alignof(LWPanelFuncs) == 8, "LWPanelFuncs");
PIN(LWPanelFuncs, create, 0, 8);
PIN(LWPanelFuncs, destroy, 8, 8);
PIN(LWPanelFuncs, open, 16, 8);
PIN(LWPanelFuncs, handle, 24, 8);
PIN(LWPanelFuncs, draw, 32, 8);
PIN(LWPanelFuncs, close, 40, 8);
PIN(LWPanelFuncs, get, 48, 8);
PIN(LWPanelFuncs, set, 56, 8);
PIN(LWPanelFuncs, addControl, 64, 8);
PIN(LWPanelFuncs, nextControl, 72, 8);
PIN(LWPanelFuncs, drawFuncs, 80, 8);
PIN(LWPanelFuncs, user_data, 88, 8);
PIN(LWPanelFuncs, globalFun, 96, 8);
PIN(LWPanelFuncs, destroyControl, 104, 8);
PIN(LWPanelFuncs, setParent, 112, 8);
PIN(LWPanelFuncs, getRaster, 120, 8);

// LWRasterFuncs
static_assert(sizeof(LWRasterFuncs) == 184 && alignof(LWRasterFuncs) == 8, "LWRasterFuncs");
PIN(LWRasterFuncs, drawPixel, 0, 8);
PIN(LWRasterFuncs, drawRGBPixel, 8, 8);
PIN(LWRasterFuncs, drawLine, 16, 8);
PIN(LWRasterFuncs, drawBox, 24, 8);
PIN(LWRasterFuncs, drawRGBBox, 32, 8);
PIN(LWRasterFuncs, eraseBox, 40, 8);
PIN(LWRasterFuncs, drawBorder, 48, 8);
PIN(LWRasterFuncs, drawText, 56, 8);
PIN(LWRasterFuncs, create, 64, 8);
PIN(LWRasterFuncs, destroy, 72, 8);
PIN(LWRasterFuncs, blitPanel, 80, 8);
PIN(LWRasterFuncs, blitRaster, 88, 8);
PIN(LWRasterFuncs, textWidth, 96, 8);
PIN(LWRasterFuncs, drawRichText, 104, 8);
PIN(LWRasterFuncs, getRichTextSize, 112, 8);
PIN(LWRasterFuncs, drawImage, 120, 8);
PIN(LWRasterFuncs, transferToImage, 128, 8);
PIN(LWRasterFuncs, fillPolygon, 136, 8);
PIN(LWRasterFuncs, strokePolygon, 144, 8);
PIN(LWRasterFuncs, pushClippingRect, 152, 8);
PIN(LWRasterFuncs, popClippingRect, 160, 8);
PIN(LWRasterFuncs, getClippingRect, 168, 8);
PIN(LWRasterFuncs, getBackingScalar, 176, 8);

// LWXPanelControl
static_assert(sizeof(LWXPanelControl) == 24 && alignof(LWXPanelControl) == 8, "LWXPanelControl");
PIN(LWXPanelControl, cid, 0, 4);
PIN(LWXPanelControl, label, 8, 8);
PIN(LWXPanelControl, ctrlclass, 16, 8);

// LWXPanelDataDesc
static_assert(sizeof(LWXPanelDataDesc) == 24 && alignof(LWXPanelDataDesc) == 8, "LWXPanelDataDesc");
PIN(LWXPanelDataDesc, vid, 0, 4);
PIN(LWXPanelDataDesc, name, 8, 8);
PIN(LWXPanelDataDesc, datatype, 16, 8);

// LWXPanelFuncs
static_assert(sizeof(LWXPanelFuncs) == 120 && alignof(LWXPanelFuncs) == 8, "LWXPanelFuncs");
PIN(LWXPanelFuncs, version, 0, 4);
PIN(LWXPanelFuncs, drawf, 8, 8);
PIN(LWXPanelFuncs, create, 16, 8);
PIN(LWXPanelFuncs, destroy, 24, 8);
PIN(LWXPanelFuncs, describe, 32, 8);
PIN(LWXPanelFuncs, hint, 40, 8);
PIN(LWXPanelFuncs, getData, 48, 8);
PIN(LWXPanelFuncs, setData, 56, 8);
PIN(LWXPanelFuncs, formGet, 64, 8);
PIN(LWXPanelFuncs, formSet, 72, 8);
PIN(LWXPanelFuncs, viewInst, 80, 8);
PIN(LWXPanelFuncs, viewRefresh, 88, 8);
PIN(LWXPanelFuncs, post, 96, 8);
PIN(LWXPanelFuncs, open, 104, 8);
PIN(LWXPanelFuncs, viewRebuild, 112, 8);

// ---- typedef sizes
static_assert(sizeof(LWItemID) == 8, "LWItemID");
static_assert(sizeof(LWChannelID) == 8, "LWChannelID");
static_assert(sizeof(LWChanGroupID) == 8, "LWChanGroupID");
static_assert(sizeof(LWInstance) == 8, "LWInstance");
static_assert(sizeof(LWError) == 8, "LWError");
static_assert(sizeof(LWTime) == 8, "LWTime");
static_assert(sizeof(LWFrame) == 4, "LWFrame");
static_assert(sizeof(LWDVector) == 24, "LWDVector");
static_assert(sizeof(LWFVector) == 12, "LWFVector");
static_assert(sizeof(LWID) == 4, "LWID");
static_assert(sizeof(LWXPanelID) == 8, "LWXPanelID");
static_assert(sizeof(LWItemType) == 4, "LWItemType");
static_assert(sizeof(RingEvent) == 8, "RingEvent");
static_assert(sizeof(LWPanelID) == 8, "LWPanelID");
static_assert(sizeof(LWControlID) == 8, "LWControlID");
static_assert(sizeof(DrMode) == 4, "DrMode");
static_assert(sizeof(cTag) == 4, "cTag");
static_assert(sizeof(LWCtlEventFunc) == 8, "LWCtlEventFunc");
static_assert(sizeof(pTag) == 4, "pTag");
static_assert(sizeof(LWPanHook) == 8, "LWPanHook");
static_assert(sizeof(LWPanDrawHook) == 8, "LWPanDrawHook");
static_assert(sizeof(LWPanKeyHook) == 8, "LWPanKeyHook");
static_assert(sizeof(LWPanMouseHook) == 8, "LWPanMouseHook");
static_assert(sizeof(LWRasterID) == 8, "LWRasterID");
static_assert(sizeof(LWXPanelHint) == 8, "LWXPanelHint");

// ---- constants
static_assert(GFUSE_TRANSIENT == 0, "GFUSE_TRANSIENT");
static_assert(GFUSE_ACQUIRE == 1, "GFUSE_ACQUIRE");
static_assert(GFUSE_RELEASE == 2, "GFUSE_RELEASE");
static_assert(AFUNC_OK == 0, "AFUNC_OK");
static_assert(AFUNC_BADVERSION == 1, "AFUNC_BADVERSION");
static_assert(AFUNC_BADGLOBAL == 2, "AFUNC_BADGLOBAL");
static_assert(MOD_SYSSYNC == 68295060, "MOD_SYSSYNC");
static_assert(MOD_SYSVER == 3, "MOD_SYSVER");
#if defined(_WIN64)
static_assert(MOD_MACHINE == 768, "MOD_MACHINE");
#else
static_assert(MOD_MACHINE == 1280, "MOD_MACHINE");
#endif
static_assert(LWIO_SCENE == 1, "LWIO_SCENE");
static_assert(LWIO_OBJECT == 0, "LWIO_OBJECT");
static_assert(LWEVNT_NOTHING == 0, "LWEVNT_NOTHING");
static_assert(LWEVNT_COMMAND == 1, "LWEVNT_COMMAND");
static_assert(LWEVNT_TIME == 2, "LWEVNT_TIME");
static_assert(LWEVNT_SELECT == 3, "LWEVNT_SELECT");
static_assert(LWEVNT_RENDER_DONE == 4, "LWEVNT_RENDER_DONE");
static_assert(LWMAST_SCENE == 0, "LWMAST_SCENE");
static_assert(LWMAST_LAYOUT == 1, "LWMAST_LAYOUT");
static_assert(LWCSYS_WORLD == 0, "LWCSYS_WORLD");
static_assert(LWCSYS_ICON == 2, "LWCSYS_ICON");
static_assert(LWCSYS_OBJECT == 1, "LWCSYS_OBJECT");
static_assert(LWCSYS_VIEWPORT == 3, "LWCSYS_VIEWPORT");
static_assert(LWLPAT_SOLID == 0, "LWLPAT_SOLID");
static_assert(LWJUST_LEFT == 0, "LWJUST_LEFT");
static_assert(LWJUST_CENTER == 1, "LWJUST_CENTER");
static_assert(LWJUST_RIGHT == 2, "LWJUST_RIGHT");
static_assert(LWTOOLF_CONSTRAIN == 1, "LWTOOLF_CONSTRAIN");
static_assert(LWTOOLF_CONS_X == 2, "LWTOOLF_CONS_X");
static_assert(LWTOOLF_CONS_Y == 4, "LWTOOLF_CONS_Y");
static_assert(LWTOOLF_ALT_BUTTON == 8, "LWTOOLF_ALT_BUTTON");
static_assert(LWTOOLF_MULTICLICK == 16, "LWTOOLF_MULTICLICK");
static_assert(LWI_OBJECT == 0, "LWI_OBJECT");
static_assert(LWI_LIGHT == 1, "LWI_LIGHT");
static_assert(LWI_CAMERA == 2, "LWI_CAMERA");
static_assert(LWI_BONE == 3, "LWI_BONE");
static_assert(LVVIEWT_NONE == 0, "LVVIEWT_NONE");
static_assert(LVVIEWT_TOP == 1, "LVVIEWT_TOP");
static_assert(LVVIEWT_BOTTOM == 2, "LVVIEWT_BOTTOM");
static_assert(LVVIEWT_BACK == 3, "LVVIEWT_BACK");
static_assert(LVVIEWT_FRONT == 4, "LVVIEWT_FRONT");
static_assert(LVVIEWT_RIGHT == 5, "LVVIEWT_RIGHT");
static_assert(LVVIEWT_LEFT == 6, "LVVIEWT_LEFT");
static_assert(LVVIEWT_PERSPECTIVE == 7, "LVVIEWT_PERSPECTIVE");
static_assert(LVVIEWT_LIGHT == 8, "LVVIEWT_LIGHT");
static_assert(LVVIEWT_CAMERA == 9, "LVVIEWT_CAMERA");
static_assert(LVVIEWT_SCHEMATIC == 10, "LVVIEWT_SCHEMATIC");
static_assert(LWVMAP_MORF == 1297044038, "LWVMAP_MORF");
static_assert(LWVMAP_SPOT == 1397772116, "LWVMAP_SPOT");
static_assert(LWVMAP_WGHT == 1464289364, "LWVMAP_WGHT");
static_assert(FREQ_LOAD == 1, "FREQ_LOAD");
static_assert(FREQ_SAVE == 2, "FREQ_SAVE");
static_assert(FREQ_DIRECTORY == 3, "FREQ_DIRECTORY");
static_assert(FREQ_MULTILOAD == 4, "FREQ_MULTILOAD");
static_assert(DR_ERASE == 0, "DR_ERASE");
static_assert(DR_RENDER == 1, "DR_RENDER");
static_assert(DR_GHOST == 2, "DR_GHOST");
static_assert(DR_REFRESH == 3, "DR_REFRESH");
static_assert(LWT_NULL == 0, "LWT_NULL");
static_assert(LWT_STRING == 1, "LWT_STRING");
static_assert(LWT_INTEGER == 2, "LWT_INTEGER");
static_assert(LWT_FLOAT == 3, "LWT_FLOAT");
static_assert(LWT_DISTANCE == 4, "LWT_DISTANCE");
static_assert(LWT_VINT == 5, "LWT_VINT");
static_assert(LWT_VFLOAT == 6, "LWT_VFLOAT");
static_assert(LWT_VDIST == 7, "LWT_VDIST");
static_assert(LWT_BOOLEAN == 8, "LWT_BOOLEAN");
static_assert(LWT_CHOICE == 9, "LWT_CHOICE");
static_assert(LWT_SURFACE == 10, "LWT_SURFACE");
static_assert(LWT_FONT == 11, "LWT_FONT");
static_assert(LWT_TEXT == 12, "LWT_TEXT");
static_assert(LWT_LAYERS == 13, "LWT_LAYERS");
static_assert(LWT_CUSTOM == 14, "LWT_CUSTOM");
static_assert(LWT_RANGE == 15, "LWT_RANGE");
static_assert(LWT_LWITEM == 16, "LWT_LWITEM");
static_assert(LWT_PERCENT == 17, "LWT_PERCENT");
static_assert(LWT_POPUP == 18, "LWT_POPUP");
static_assert(LWT_AREA == 19, "LWT_AREA");
static_assert(LWT_XPANEL == 20, "LWT_XPANEL");
static_assert(LWT_TREE == 21, "LWT_TREE");
static_assert(LWT_MLIST == 22, "LWT_MLIST");
static_assert(CTL_X == 0, "CTL_X");
static_assert(CTL_Y == 1, "CTL_Y");
static_assert(CTL_W == 2, "CTL_W");
static_assert(CTL_H == 3, "CTL_H");
static_assert(CTL_VALUE == 4, "CTL_VALUE");
static_assert(CTL_HOTX == 5, "CTL_HOTX");
static_assert(CTL_HOTY == 6, "CTL_HOTY");
static_assert(CTL_HOTW == 7, "CTL_HOTW");
static_assert(CTL_HOTH == 8, "CTL_HOTH");
static_assert(CTL_LABELWIDTH == 9, "CTL_LABELWIDTH");
static_assert(CTL_MOUSEX == 10, "CTL_MOUSEX");
static_assert(CTL_MOUSEY == 11, "CTL_MOUSEY");
static_assert(CTL_FLAGS == 12, "CTL_FLAGS");
static_assert(CTL_USERDRAW == 13, "CTL_USERDRAW");
static_assert(CTL_USEREVENT == 14, "CTL_USEREVENT");
static_assert(CTL_USERDATA == 16, "CTL_USERDATA");
static_assert(CTL_PANFUN == 18, "CTL_PANFUN");
static_assert(CTL_PANEL == 17, "CTL_PANEL");
static_assert(CTL_LABEL == 15, "CTL_LABEL");
static_assert(CTL_RANGEMIN == 19, "CTL_RANGEMIN");
static_assert(CTL_RANGEMAX == 20, "CTL_RANGEMAX");
static_assert(CTL_ACTIVATE == 21, "CTL_ACTIVATE");
static_assert(PAN_X == 0, "PAN_X");
static_assert(PAN_Y == 1, "PAN_Y");
static_assert(PAN_W == 2, "PAN_W");
static_assert(PAN_H == 3, "PAN_H");
static_assert(PAN_MOUSEX == 4, "PAN_MOUSEX");
static_assert(PAN_MOUSEY == 5, "PAN_MOUSEY");
static_assert(PAN_USERDRAW == 7, "PAN_USERDRAW");
static_assert(PAN_USERACTIVATE == 8, "PAN_USERACTIVATE");
static_assert(PAN_USEROPEN == 9, "PAN_USEROPEN");
static_assert(PAN_USERCLOSE == 10, "PAN_USERCLOSE");
static_assert(PAN_TITLE == 11, "PAN_TITLE");
static_assert(PAN_USERDATA == 12, "PAN_USERDATA");
static_assert(PAN_USERKEYS == 13, "PAN_USERKEYS");
static_assert(PAN_FLAGS == 6, "PAN_FLAGS");
static_assert(PAN_MOUSEBUTTON == 15, "PAN_MOUSEBUTTON");
static_assert(PAN_MOUSEMOVE == 16, "PAN_MOUSEMOVE");
static_assert(PAN_PANFUN == 17, "PAN_PANFUN");
static_assert(PAN_VERSION == 18, "PAN_VERSION");
static_assert(PAN_RESULT == 19, "PAN_RESULT");
static_assert(PAN_HOSTDISPLAY == 20, "PAN_HOSTDISPLAY");
static_assert(PAN_USERKEYUPS == 21, "PAN_USERKEYUPS");
static_assert(PAN_LWINSTANCE == 14, "PAN_LWINSTANCE");
static_assert(PAN_TO_FRONT == 23, "PAN_TO_FRONT");
static_assert(PAN_MOUSEWHEEL == 24, "PAN_MOUSEWHEEL");
static_assert(PAN_CONFIGTAG == 30, "PAN_CONFIGTAG");
static_assert(PAN_QUALIFIERS == 22, "PAN_QUALIFIERS");
static_assert(PAN_MIN_W == 26, "PAN_MIN_W");
static_assert(PAN_MIN_H == 27, "PAN_MIN_H");
static_assert(PAN_MAX_W == 28, "PAN_MAX_W");
static_assert(PANF_BLOCKING == 1, "PANF_BLOCKING");
static_assert(PANF_CANCEL == 2, "PANF_CANCEL");
static_assert(PANF_FRAME == 4, "PANF_FRAME");
static_assert(PANF_MOUSETRAP == 8, "PANF_MOUSETRAP");
static_assert(PANF_PASSALLKEYS == 16, "PANF_PASSALLKEYS");
static_assert(PANF_ABORT == 32, "PANF_ABORT");
static_assert(PANF_NOBUTT == 64, "PANF_NOBUTT");
static_assert(PANF_RESIZE == 128, "PANF_RESIZE");
static_assert(IQ_CTRL == 1, "IQ_CTRL");
static_assert(IQ_SHIFT == 2, "IQ_SHIFT");
static_assert(IQ_ALT == 4, "IQ_ALT");
static_assert(IQ_CONSTRAIN == 8, "IQ_CONSTRAIN");
static_assert(IQ_ADJUST == 16, "IQ_ADJUST");
static_assert(MOUSE_LEFT == 32, "MOUSE_LEFT");
static_assert(MOUSE_MID == 64, "MOUSE_MID");
static_assert(MOUSE_RIGHT == 96, "MOUSE_RIGHT");
static_assert(LWXP_VIEW == 1, "LWXP_VIEW");
static_assert(LWXP_FORM == 2, "LWXP_FORM");
static_assert(XPTAG_END == 0, "XPTAG_END");
static_assert(XPTAG_LABEL == 1023412995, "XPTAG_LABEL");
static_assert(XPTAG_DESTROYNOTIFY == 1023415042, "XPTAG_DESTROYNOTIFY");
static_assert(XPTAG_BUTNOTIFY == 1023500034, "XPTAG_BUTNOTIFY");
static_assert(XPTAG_POPFUNCS == 1023500803, "XPTAG_POPFUNCS");
static_assert(XPTAG_MIN == 1023492098, "XPTAG_MIN");
static_assert(XPTAG_STEP == 1023492610, "XPTAG_STEP");
static_assert(XPTAG_GROUP == 1023540865, "XPTAG_GROUP");
static_assert(MOUSE_DOWN == 128, "MOUSE_DOWN");
static_assert(PAN_USERRESIZE == 25, "PAN_USERRESIZE");
static_assert(PAN_MAX_H == 29, "PAN_MAX_H");
static_assert(CTL_MOUSEBUTTON == 22, "CTL_MOUSEBUTTON");
static_assert(CTL_SELECTEVENT == 23, "CTL_SELECTEVENT");
static_assert(CTL_MOUSECLICKCNT == 24, "CTL_MOUSECLICKCNT");
static_assert(CTL_MENUFLAGSFUNC == 25, "CTL_MENUFLAGSFUNC");
static_assert(CTL_COLORSPACE == 26, "CTL_COLORSPACE");
static_assert(CTL_VIEWERCOLORSPACE == 27, "CTL_VIEWERCOLORSPACE");
static_assert(PANF_MOUSETRACK == 256, "PANF_MOUSETRACK");
static_assert(LWT_POINTER == 23, "LWT_POINTER");
static_assert(LWT_MULTILINE == 24, "LWT_MULTILINE");
static_assert(LWDK_ALT == 4192, "LWDK_ALT");
static_assert(LWDK_SHIFT == 4193, "LWDK_SHIFT");
static_assert(LWDK_CTRL == 4194, "LWDK_CTRL");
static_assert(LWMASTF_LAYOUT == 1, "LWMASTF_LAYOUT");
static_assert(LWMASTF_RECEIVE_NOTIFICATIONS == 2, "LWMASTF_RECEIVE_NOTIFICATIONS");
static_assert(LWIO_BINARY == 0, "LWIO_BINARY");
static_assert(LWIO_ASCII == 1, "LWIO_ASCII");
static_assert(LWLPAT_DOT == 1, "LWLPAT_DOT");
static_assert(LWLPAT_DASH == 2, "LWLPAT_DASH");
static_assert(LWLPAT_LONGDOT == 3, "LWLPAT_LONGDOT");
static_assert(LWDRAWMODE_CULLFACE == 1, "LWDRAWMODE_CULLFACE");
static_assert(LWDRAWMODE_OUTLINE == 2, "LWDRAWMODE_OUTLINE");
static_assert(LWDRAWMODE_DEPTHTEST == 4, "LWDRAWMODE_DEPTHTEST");
static_assert(LWDRAWMODE_DEPTHWRITE == 8, "LWDRAWMODE_DEPTHWRITE");
static_assert(LWDRAWMODE_SMOOTH == 16, "LWDRAWMODE_SMOOTH");
static_assert(LWCOFL_SELECTED == 1, "LWCOFL_SELECTED");
static_assert(LWCOFL_PICKING == 2, "LWCOFL_PICKING");
static_assert(LWTOOLF_CTRL == 32, "LWTOOLF_CTRL");
static_assert(LWTOOLF_ALT == 64, "LWTOOLF_ALT");
static_assert(LWTOOLF_SHIFT == 128, "LWTOOLF_SHIFT");
static_assert(LWT_EVENT_DROP == 0, "LWT_EVENT_DROP");
static_assert(LWT_EVENT_RESET == 1, "LWT_EVENT_RESET");
static_assert(LWT_EVENT_ACTIVATE == 2, "LWT_EVENT_ACTIVATE");
static_assert(LWT_DIRTY_WIREFRAME == 1, "LWT_DIRTY_WIREFRAME");
static_assert(LWT_DIRTY_HELPTEXT == 2, "LWT_DIRTY_HELPTEXT");
static_assert(LWXPRC_NONE == 0, "LWXPRC_NONE");
static_assert(LWXPRC_DFLT == 1, "LWXPRC_DFLT");
static_assert(LWXPRC_DRAW == 2, "LWXPRC_DRAW");
static_assert(LWXPRC_FULL == 3, "LWXPRC_FULL");
static_assert(XPTAG_NULL == 0, "XPTAG_NULL");
static_assert(XPTAG_MAX == 1023492354, "XPTAG_MAX");
static_assert(XPTAG_RANGE == 1023492868, "XPTAG_RANGE");
static_assert(XPTAG_STRLIST == 1023493379, "XPTAG_STRLIST");
static_assert(XPTAG_CHGNOTIFY == 1023414017, "XPTAG_CHGNOTIFY");
static_assert(XPTAG_DIVADD == 1023546497, "XPTAG_DIVADD");
static_assert(AFUNC_BADLOCAL == 3, "AFUNC_BADLOCAL");
static_assert(AFUNC_BADAPP == 4, "AFUNC_BADAPP");
static_assert(AFUNC_BADAPP_SILENT == 5, "AFUNC_BADAPP_SILENT");
static_assert(LWINTERFACE_VERSION == 5, "LWINTERFACE_VERSION");
static_assert(LWMASTER_VERSION == 5, "LWMASTER_VERSION");
static_assert(LWGIZMO_VERSION == 5, "LWGIZMO_VERSION");
static_assert(LWCHANNEL_VERSION == 5, "LWCHANNEL_VERSION");
static_assert(LWIMAGEFILTER_VERSION == 7, "LWIMAGEFILTER_VERSION");
static_assert(LWLAYOUTTOOL_VERSION == 4, "LWLAYOUTTOOL_VERSION");
static_assert(LWLAYOUTGENERIC_VERSION == 7, "LWLAYOUTGENERIC_VERSION");
static_assert(LWCOLORPICK_VERSION == 6, "LWCOLORPICK_VERSION");
static_assert(LWFILEREQ_VERSION == 4, "LWFILEREQ_VERSION");
static_assert(LWLOC_LANGID == 65535, "LWLOC_LANGID");
static_assert(LANGID_JAPANESE == 1041, "LANGID_JAPANESE");
static_assert(LANGID_USENGLISH == 1033, "LANGID_USENGLISH");
static_assert(SRVTAG_USERNAME == 0, "SRVTAG_USERNAME");
static_assert(SRVTAG_BUTTONNAME == 65536, "SRVTAG_BUTTONNAME");
static_assert(SRVTAG_DESCRIPTION == 262144, "SRVTAG_DESCRIPTION");
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// ---- service names and server classes
static_assert(SameText(LWCOMMANDFUNC_GLOBAL, "LW Command Interface"), "LWCOMMANDFUNC_GLOBAL");
static_assert(SameText(LWITEMINFO_GLOBAL, "LW Item Info 9"), "LWITEMINFO_GLOBAL");
static_assert(SameText(LWOBJECTINFO_GLOBAL, "LW Object Info 14"), "LWOBJECTINFO_GLOBAL");
static_assert(SameText(LWCAMERAINFO_GLOBAL, "LW Camera Info 10"), "LWCAMERAINFO_GLOBAL");
static_assert(SameText(LWSCENEINFO_GLOBAL, "LW Scene Info 12"), "LWSCENEINFO_GLOBAL");
static_assert(SameText(LWTIMEINFO_GLOBAL, "LW Time Info"), "LWTIMEINFO_GLOBAL");
static_assert(SameText(LWINTERFACEINFO_GLOBAL, "LW Interface Info 8"), "LWINTERFACEINFO_GLOBAL");
static_assert(SameText(LWVIEWPORTINFO_GLOBAL, "LW Viewport Info 9"), "LWVIEWPORTINFO_GLOBAL");
static_assert(SameText(LWCHANNELINFO_GLOBAL, "Channel Info 3"), "LWCHANNELINFO_GLOBAL");
static_assert(SameText(LWOBJECTFUNCS_GLOBAL, "Scene Objects 9"), "LWOBJECTFUNCS_GLOBAL");
static_assert(SameText(LWCOMRING_GLOBAL, "LW Communication Ring"), "LWCOMRING_GLOBAL");
static_assert(SameText(LWCOLORACTIVATEFUNC_GLOBAL, "Color Picker"), "LWCOLORACTIVATEFUNC_GLOBAL");
static_assert(SameText(LWFILEACTIVATEFUNC_GLOBAL, "File Request 3"), "LWFILEACTIVATEFUNC_GLOBAL");
static_assert(SameText(LWFILEREQFUNC_GLOBAL, "File Request"), "LWFILEREQFUNC_GLOBAL");
static_assert(SameText(LWLOCALEINFO_GLOBAL, "Locale Info"), "LWLOCALEINFO_GLOBAL");
static_assert(SameText(PANEL_SERVICES_NAME, "LWPanelServices 3"), "PANEL_SERVICES_NAME");
static_assert(SameText(LWRASTERFUNCS_GLOBAL, "RasterServices 4"), "LWRASTERFUNCS_GLOBAL");
static_assert(SameText(LWXPANELFUNCS_GLOBAL, "LWXPanel 3"), "LWXPANELFUNCS_GLOBAL");
static_assert(SameText(LWLAYOUTGENERIC_CLASS, "LayoutGeneric"), "LWLAYOUTGENERIC_CLASS");
static_assert(SameText(LWCHANNEL_HCLASS, "ChannelHandler"), "LWCHANNEL_HCLASS");
static_assert(SameText(LWCHANNEL_ICLASS, "ChannelInterface"), "LWCHANNEL_ICLASS");
static_assert(SameText(LWMASTER_HCLASS, "MasterHandler"), "LWMASTER_HCLASS");
static_assert(SameText(LWMASTER_ICLASS, "MasterInterface"), "LWMASTER_ICLASS");
static_assert(SameText(LWMASTER_GCLASS, "MasterGizmo"), "LWMASTER_GCLASS");
static_assert(SameText(LWIMAGEFILTER_HCLASS, "ImageFilterHandler"), "LWIMAGEFILTER_HCLASS");
static_assert(SameText(LWLAYOUTTOOL_CLASS, "LayoutTool"), "LWLAYOUTTOOL_CLASS");

// The figures above are checked as the file compiles; this test only says how many there are.
TEST(AbiLayout, PinsEveryRecordMemberAndConstant)
{
    // 57 records with 637 members, 25 typedef sizes, 222 constants, 26 names.
    RecordProperty("records", 57);
    RecordProperty("members", 637);
    RecordProperty("constants", 222);
    SUCCEED();
}

} // namespace
