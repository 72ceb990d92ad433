// abi_layout.cpp: the host's binary interface, pinned.
//
// Layout reads and fills the records of lwhost.h by their binary layout. Each ZK_RECORD line gives a
// record's size and alignment, then every member as (name, offset, size) in declaration order; the
// ZK_IS lines give typedef sizes and constant values, and ZK_NAMED the service names and server
// classes as texts. These are the host's own figures for 64-bit Windows (LLP64), which x86-64 Linux
// (LP64) shares for these records: a change to the header that moves a member, or a build for a
// platform where one would move, fails to compile here, naming the member on the record's line.
#include "lwhost/lwhost.h"

#include <cstddef>
#include <type_traits>

namespace {

constexpr bool SameText(const char *a, const char *b)
{
    return *a == *b && (*a == '\0' || SameText(a + 1, b + 1));
}

// A record's members (a, 0, 8) (b, 8, 4) ... are walked by two macros that call each other; the
// one left at the end is pasted with _END into nothing.
#define ZK_CAT(a, b) ZK_CAT_(a, b)
#define ZK_CAT_(a, b) a##b
#define ZK_PIN_A(member, offset, size) ZK_PIN(member, offset, size) ZK_PIN_B
#define ZK_PIN_B(member, offset, size) ZK_PIN(member, offset, size) ZK_PIN_A
#define ZK_PIN_A_END
#define ZK_PIN_B_END
#define ZK_PIN(member, offset, size)                                                            \
    static_assert(offsetof(R, member) == (offset), #member " offset");                          \
    static_assert(sizeof(R::member) == (size), #member " size");
#define ZK_RECORD(record, size, align, members)                                                 \
    struct record##Pins {                                                                       \
        using R = record;                                                                       \
        static_assert(sizeof(R) == (size) && alignof(R) == (align), #record " size or alignment"); \
        ZK_CAT(ZK_PIN_A members, _END)                                                          \
    }

// One constant (or typedef size) and its value; one service name or server class and its text.
#define ZK_IS(value, expected) static_assert((value) == (expected), #value);
#define ZK_NAMED(name, text) static_assert(SameText(name, text), #name);

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
#endif

// The module file, scene blocks and the handler records the plug-ins fill.
ZK_RECORD(ServerTagInfo, 16, 8, (string, 0, 8) (tag, 8, 4));
ZK_RECORD(ServerRecord, 32, 8, (className, 0, 8) (name, 8, 8) (activate, 16, 8) (tagInfo, 24, 8));
ZK_RECORD(ModuleDescriptor, 40, 8, (sysSync, 0, 4) (sysVersion, 4, 4) (sysMachine, 8, 4) (startup, 16, 8)
          (shutdown, 24, 8) (serverDefs, 32, 8));
ZK_RECORD(LWLoadState, 128, 8, (ioMode, 0, 4) (readData, 8, 8) (read, 16, 8) (readI1, 24, 8) (readI2, 32, 8)
          (readI4, 40, 8) (readU1, 48, 8) (readU2, 56, 8) (readU4, 64, 8) (readFP, 72, 8) (readStr, 80, 8)
          (readID, 88, 8) (findBlk, 96, 8) (endBlk, 104, 8) (depth, 112, 8) (readDP, 120, 8));
ZK_RECORD(LWSaveState, 128, 8, (ioMode, 0, 4) (writeData, 8, 8) (write, 16, 8) (writeI1, 24, 8) (writeI2, 32, 8)
          (writeI4, 40, 8) (writeU1, 48, 8) (writeU2, 56, 8) (writeU4, 64, 8) (writeFP, 72, 8) (writeStr, 80, 8)
          (writeID, 88, 8) (beginBlk, 96, 8) (endBlk, 104, 8) (depth, 112, 8) (writeDP, 120, 8));
ZK_RECORD(LWInstanceFuncs, 56, 8, (priv, 0, 8) (create, 8, 8) (destroy, 16, 8) (copy, 24, 8) (load, 32, 8)
          (save, 40, 8) (descln, 48, 8));
ZK_RECORD(LWItemFuncs, 24, 8, (useItems, 0, 8) (changeID, 8, 8) (changeName, 16, 8));
ZK_RECORD(LWMasterAccess, 48, 8, (eventCode, 0, 4) (eventData, 8, 8) (data, 16, 8) (lookup, 24, 8) (execute, 32, 8)
          (evaluate, 40, 8));
ZK_RECORD(LWMasterHandler, 40, 8, (inst, 0, 8) (item, 8, 8) (type, 16, 4) (event, 24, 8) (flags, 32, 8));
ZK_RECORD(LWInterface, 32, 8, (inst, 0, 8) (panel, 8, 8) (options, 16, 8) (command, 24, 8));
ZK_RECORD(LWCustomObjAccess, 272, 8, (view, 0, 4) (flags, 4, 4) (dispData, 8, 8) (setColor, 16, 8) (setPattern, 24, 8)
          (setTexture, 32, 8) (setUVs, 40, 8) (point, 48, 8) (line, 56, 8) (triangle, 64, 8) (quad, 72, 8)
          (circle, 80, 8) (text, 88, 8) (viewPos, 96, 24) (viewDir, 120, 24) (setCSysItem, 144, 8) (polygon, 152, 8)
          (polyIndexed, 160, 8) (setDrawMode, 168, 8) (disk, 176, 8) (setPart, 184, 8) (measureText, 192, 8)
          (setThickness, 200, 8) (circle2, 208, 8) (disk2, 216, 8) (setColorCC, 224, 8) (getColor, 232, 8)
          (pushMatrix, 240, 8) (popMatrix, 248, 8) (lineStrip, 256, 8) (lineLoop, 264, 8));
ZK_RECORD(LWToolEvent, 248, 8, (posRaw, 0, 24) (posSnap, 24, 24) (deltaRaw, 48, 24) (deltaSnap, 72, 24) (axis, 96, 24)
          (ax, 120, 24) (ay, 144, 24) (az, 168, 24) (pxRaw, 192, 8) (pxSnap, 200, 8) (pyRaw, 208, 8) (pySnap, 216, 8)
          (dx, 224, 4) (dy, 228, 4) (portAxis, 232, 4) (flags, 236, 4) (viewNumber, 240, 4));
ZK_RECORD(LWGizmoFuncs, 112, 8, (done, 0, 8) (draw, 8, 8) (help, 16, 8) (dirty, 24, 8) (count, 32, 8) (handle, 40, 8)
          (start, 48, 8) (adjust, 56, 8) (down, 64, 8) (move, 72, 8) (up, 80, 8) (event, 88, 8) (panel, 96, 8)
          (end, 104, 8));
ZK_RECORD(LWMasterGizmo, 24, 8, (instance, 0, 8) (gizmo, 8, 8) (pickItems, 16, 8));
ZK_RECORD(LWToolFuncs, 120, 8, (done, 0, 8) (draw, 8, 8) (help, 16, 8) (dirty, 24, 8) (count, 32, 8) (handle, 40, 8)
          (start, 48, 8) (adjust, 56, 8) (down, 64, 8) (move, 72, 8) (up, 80, 8) (event, 88, 8) (panel, 96, 8)
          (end, 104, 8) (key, 112, 8));
ZK_RECORD(LWLayoutTool, 16, 8, (instance, 0, 8) (tool, 8, 8));
ZK_RECORD(LWFilterAccess, 72, 8, (width, 0, 4) (height, 4, 4) (frame, 8, 4) (start, 16, 8) (end, 24, 8)
          (layers, 32, 8) (getLine, 40, 8) (setRGB, 48, 8) (setAlpha, 56, 8) (monitor, 64, 8));
ZK_RECORD(LWImageFilterHandler, 32, 8, (inst, 0, 8) (item, 8, 8) (process, 16, 8) (flags, 24, 8));
ZK_RECORD(LWChannelAccess, 64, 8, (priv, 0, 8) (channel, 8, 8) (frame, 16, 4) (time, 24, 8) (value, 32, 8)
          (getChannel, 40, 8) (setChannel, 48, 8) (channelName, 56, 8));
ZK_RECORD(LWChannelHandler, 32, 8, (inst, 0, 8) (item, 8, 8) (evaluate, 16, 8) (flags, 24, 8));
ZK_RECORD(LWLayoutGeneric, 64, 8, (saveScene, 0, 8) (loadScene, 8, 8) (data, 16, 8) (lookup, 24, 8) (execute, 32, 8)
          (evaluate, 40, 8) (commandArguments, 48, 8) (parsedArguments, 56, 8));

// The global services the plug-ins read.
ZK_RECORD(LWItemInfo, 336, 8, (first, 0, 8) (next, 8, 8) (firstChild, 16, 8) (nextChild, 24, 8) (parent, 32, 8)
          (target, 40, 8) (goal, 48, 8) (type, 56, 8) (name, 64, 8) (param, 72, 8) (limits, 80, 8) (getTag, 88, 8)
          (setTag, 96, 8) (chanGroup, 104, 8) (server, 112, 8) (serverFlags, 120, 8) (controller, 128, 8)
          (flags, 136, 8) (lookAhead, 144, 8) (goalStrength, 152, 8) (stiffness, 160, 8) (axisLocks, 168, 8)
          (maxLookSteps, 176, 8) (reliableDistance, 184, 8) (goalObjective, 192, 8) (ikfkBlending, 200, 8)
          (ikInitialState, 208, 8) (ikInitialStateFrame, 216, 8) (ikSoft, 224, 8) (pole, 232, 8) (sameItem, 240, 8)
          (sameItemBlend, 248, 8) (sameItemBlendMethod, 256, 8) (sameItemFlags, 264, 8) (selected, 272, 8)
          (follow, 280, 8) (controllerTrans, 288, 8) (splineItem, 296, 8) (splineFit, 304, 8) (splineT, 312, 8)
          (rotationOrder, 320, 8) (relparam, 328, 8));
ZK_RECORD(LWObjectInfo, 408, 8, (filename, 0, 8) (numPoints, 8, 8) (numPolygons, 16, 8) (shadowOpts, 24, 8)
          (dissolve, 32, 8) (meshInfo, 40, 8) (flags, 48, 8) (fog, 56, 8) (dispMap, 64, 8) (clipMap, 72, 8)
          (patchLevel, 80, 8) (metaballRes, 88, 8) (boneSource, 96, 8) (morphTarget, 104, 8) (morphAmount, 112, 8)
          (edgeOpts, 120, 8) (edgeColor, 128, 8) (subdivOrder, 136, 8) (polygonSize, 144, 8) (excluded, 152, 8)
          (matteColor, 160, 8) (thickness, 168, 8) (edgeZScale, 176, 8) (shrinkEdgesNominalDistance, 184, 8)
          (maxDissolveDistance, 192, 8) (bumpDistance, 200, 8) (getGroupIndex, 208, 8) (dispMapOrder, 216, 8)
          (bumpOrder, 224, 8) (getNodeEditor, 232, 8) (nodeOrder, 240, 8) (bounds, 248, 8)
          (shadowoffsetdistance, 256, 8) (instancer, 264, 8) (getEdgeNodeEditor, 272, 8) (layerLoaded, 280, 8)
          (getAlphaValue, 288, 8) (giMode, 296, 8) (bruteForceRays, 304, 8) (primaryRays, 312, 8)
          (secondaryRays, 320, 8) (missingSampleRays, 328, 8) (angularTolerance, 336, 8) (minimumPixelSpacing, 344, 8)
          (maximumPixelSpacing, 352, 8) (pntIndex, 360, 8) (polIndex, 368, 8) (boneMode, 376, 8)
          (numLimitedBones, 384, 8) (numBoneWeightsPnts, 392, 8) (boneWeights, 400, 8));
ZK_RECORD(LWCameraInfo, 320, 8, (zoomFactor, 0, 8) (focalLength, 8, 8) (focalDistance, 16, 8) (fStop, 24, 8)
          (blurLength, 32, 8) (fovAngles, 40, 8) (flags, 48, 8) (resolution, 56, 8) (pixelAspect, 64, 8)
          (separation, 72, 8) (regionLimits, 80, 8) (maskLimits, 88, 8) (maskColor, 96, 8) (motionBlur, 104, 8)
          (fieldRendering, 112, 8) (irisPos, 120, 8) (usingGlobalResolution, 128, 8) (usingGlobalBlur, 136, 8)
          (usingGlobalMask, 144, 8) (motionBlurPasses, 152, 8) (shutterEfficiency, 160, 8) (noiseSampler, 168, 8)
          (filmSize, 176, 8) (frameTiming, 184, 8) (antiAliasing, 192, 8) (overSampling, 200, 8) (diaphragm, 208, 8)
          (convergencePoint, 216, 8) (usingConvergencePoint, 224, 8) (convergenceToeIn, 232, 8) (eyeTransform, 240, 8)
          (rollingShutter, 248, 8) (shutterOpen, 256, 8) (minSamples, 264, 8) (maxSamples, 272, 8)
          (trackedEye, 280, 8) (overscanMode, 288, 8) (overscanSize, 296, 8) (resolutionmultiplier, 304, 8)
          (overscanPixels, 312, 8));
ZK_RECORD(LWSceneInfo, 424, 8, (name, 0, 8) (filename, 8, 8) (numPoints, 16, 4) (numPolygons, 20, 4)
          (renderType, 24, 4) (renderOpts, 28, 4) (frameStart, 32, 4) (frameEnd, 36, 4) (frameStep, 40, 4)
          (framesPerSecond, 48, 8) (frameWidth, 56, 4) (frameHeight, 60, 4) (pixelAspect, 64, 8)
          (minSamplesPerPixel, 72, 4) (maxSamplesPerPixel, 76, 4) (limitedRegion, 80, 16) (recursionDepth, 96, 4)
          (renderCamera, 104, 8) (numThreads, 112, 4) (animFilename, 120, 8) (RGBPrefix, 128, 8) (alphaPrefix, 136, 8)
          (antialiasing, 144, 4) (enhancedAA, 148, 4) (adaptiveSampling, 152, 4) (adaptiveThreshold, 156, 4)
          (filter, 160, 4) (dblSidedAreaLights, 164, 4) (loadInProgress, 168, 4) (radiosityType, 172, 4)
          (radiosityIndirectBounceCount, 176, 4) (radiosityRaysPerEvaluation1, 180, 4)
          (radiosityRaysPerEvaluation2, 184, 4) (radiosityIntensity, 192, 8) (radiosityAngularTolerance, 200, 8)
          (radiosityMinimumPixelSpacing, 208, 8) (radiosityMaximumPixelSpacing, 216, 8) (radiosityMultiplier, 224, 8)
          (radiosityFileName, 232, 8) (causticsIntensity, 240, 8) (causticsAccuracy, 248, 4)
          (causticsSoftness, 252, 4) (radiosityFlags, 256, 4) (dynamicsRangeMin, 264, 8) (dynamicsRangeMax, 272, 8)
          (saturation, 280, 8) (pixelFilterForceMT, 288, 4) (has_multithreaded_filters, 292, 4) (useZminmax, 296, 4)
          (zmin, 304, 8) (zmax, 312, 8) (rendermode, 320, 4) (calculateallnormals, 324, 4) (enableLenseFlares, 328, 4)
          (lenseFlareIntensity, 336, 8) (buffersInUse, 344, 8) (animationPass, 352, 4) (raycutoff, 356, 4)
          (shadingsamples, 360, 4) (lightsamples, 364, 4) (lightthreshold, 368, 4) (rangeType, 372, 4)
          (rangeFrames, 376, 8) (rangeObject, 384, 8) (rangeChannel, 392, 4) (transparencyDepth, 396, 4)
          (reflectionDepth, 400, 4) (refractionDepth, 404, 4) (reflectionsamples, 408, 4) (refractionsamples, 412, 4)
          (scatteringsamples, 416, 4) (mipmapMultiplier, 420, 4));
ZK_RECORD(LWTimeInfo, 16, 8, (time, 0, 8) (frame, 8, 4));
ZK_RECORD(LWInterfaceInfo, 136, 8, (curTime, 0, 8) (selItems, 8, 8) (itemFlags, 16, 8) (previewStart, 24, 4)
          (previewEnd, 28, 4) (previewStep, 32, 4) (dynaUpdate, 36, 4) (schemaPos, 40, 8) (itemVis, 48, 8)
          (displayFlags, 56, 4) (generalFlags, 60, 4) (boxThreshold, 64, 4) (itemColor, 72, 8)
          (setItemColorIndex, 80, 8) (setItemColorCustom, 88, 8) (alertLevel, 96, 4) (autoKeyCreate, 100, 4)
          (defaultItemTypeColor, 104, 8) (itemColorRgba, 112, 8) (itemIconScale, 120, 8) (DPIScalar, 128, 8));
ZK_RECORD(LWViewportInfo, 184, 8, (numViewports, 0, 4) (type, 8, 8) (flags, 16, 8) (pos, 24, 8) (xfrm, 32, 8)
          (clip, 40, 8) (rect, 48, 8) (viewLevel, 56, 8) (projection, 64, 8) (modelview, 72, 8) (project, 80, 8)
          (unproject, 88, 8) (pixelSize, 96, 8) (handleSize, 104, 8) (gridSize, 112, 8) (viewItem, 120, 8)
          (gridType, 128, 8) (viewPicking, 136, 8) (hoverIndex, 144, 8) (bgImage, 152, 8) (handleSmoothing, 160, 8)
          (getActivePreview, 168, 8) (getBackingScale, 176, 8));
ZK_RECORD(LWChannelInfo, 120, 8, (nextGroup, 0, 8) (nextChannel, 8, 8) (groupName, 16, 8) (channelName, 24, 8)
          (groupParent, 32, 8) (channelParent, 40, 8) (channelType, 48, 8) (channelEvaluate, 56, 8)
          (channelEnvelope, 64, 8) (setChannelEvent, 72, 8) (server, 80, 8) (serverFlags, 88, 8)
          (serverInstance, 96, 8) (serverApply, 104, 8) (serverRemove, 112, 8));
ZK_RECORD(LWSceneObjects, 128, 8, (numObjects, 0, 8) (filename, 8, 8) (maxLayers, 16, 8) (layerExists, 24, 8)
          (pivotPoint, 32, 8) (layerMesh, 40, 8) (numVMaps, 48, 8) (vmapName, 56, 8) (vmapDim, 64, 8)
          (vmapType, 72, 8) (layerName, 80, 8) (layerVis, 88, 8) (userName, 96, 8) (refName, 104, 8)
          (maxPointsPerPoly, 112, 4) (focusObject, 120, 8));
ZK_RECORD(LWComRing, 24, 8, (ringAttach, 0, 8) (ringDetach, 8, 8) (ringMessage, 16, 8));
ZK_RECORD(LWColorPickLocal, 56, 8, (result, 0, 4) (title, 8, 8) (red, 16, 4) (green, 20, 4) (blue, 24, 4)
          (data, 32, 8) (hotFunc, 40, 8) (colorSpace, 48, 8));
ZK_RECORD(LWFileReqLocal, 64, 8, (reqType, 0, 4) (result, 4, 4) (title, 8, 8) (fileType, 16, 8) (path, 24, 8)
          (baseName, 32, 8) (fullName, 40, 8) (bufLen, 48, 4) (pickName, 56, 8));

// Classic panels and their raster services.
ZK_RECORD(LWControl, 32, 8, (draw, 0, 8) (get, 8, 8) (set, 16, 8) (priv_data, 24, 8));
ZK_RECORD(LWValString, 24, 8, (type, 0, 4) (buf, 8, 8) (bufLen, 16, 4));
ZK_RECORD(LWValInt, 12, 4, (type, 0, 4) (value, 4, 4) (defVal, 8, 4));
ZK_RECORD(LWValFloat, 24, 8, (type, 0, 4) (value, 8, 8) (defVal, 16, 8));
ZK_RECORD(LWValIVector, 20, 4, (type, 0, 4) (val, 4, 12) (defVal, 16, 4));
ZK_RECORD(LWValFVector, 40, 8, (type, 0, 4) (val, 8, 24) (defVal, 32, 8));
ZK_RECORD(LWValCustom, 20, 4, (type, 0, 4) (val, 4, 16));
ZK_RECORD(LWValPointer, 16, 8, (type, 0, 4) (ptr, 8, 8));
ZK_RECORD(LWValue, 40, 8, (type, 0, 4) (str, 0, 24) (intv, 0, 12) (flt, 0, 24) (ivec, 0, 20) (fvec, 0, 40)
          (ptr, 0, 16) (cust, 0, 20));
ZK_RECORD(LWDescString, 8, 4, (type, 0, 4) (width, 4, 4));
ZK_RECORD(LWDescChoice, 24, 8, (type, 0, 4) (items, 8, 8) (vertical, 16, 4));
ZK_RECORD(LWDescText, 16, 8, (type, 0, 4) (text, 8, 8));
ZK_RECORD(LWDescRange, 16, 4, (type, 0, 4) (width, 4, 4) (min, 8, 4) (max, 12, 4));
ZK_RECORD(LWDescArea, 12, 4, (type, 0, 4) (width, 4, 4) (height, 8, 4));
ZK_RECORD(LWDescPopup, 48, 8, (type, 0, 4) (width, 4, 4) (countFn, 8, 8) (nameFn, 16, 8) (faceFn, 24, 8)
          (typeFn, 32, 8) (subMFn, 40, 8));
ZK_RECORD(LWDescMultiList, 40, 8, (type, 0, 4) (width, 4, 4) (visItems, 8, 4) (top, 12, 4) (countFn, 16, 8)
          (nameFn, 24, 8) (colWidth, 32, 8));
ZK_RECORD(LWCommandInterface, 32, 8, (data, 0, 8) (lookup, 8, 8) (execute, 16, 8) (evaluate, 24, 8));
ZK_RECORD(LWPanLWItemDesc, 40, 8, (type, 0, 4) (global, 8, 8) (itemType, 16, 4) (list, 24, 8) (count, 32, 4)
          (width, 36, 4));
ZK_RECORD(LWPanTreeDesc, 48, 8, (type, 0, 4) (width, 4, 4) (height, 8, 4) (countFn, 16, 8) (leafFn, 24, 8)
          (infoFn, 32, 8) (moveFn, 40, 8));
ZK_RECORD(LWPanMultiTreeDesc, 56, 8, (type, 0, 4) (width, 4, 4) (height, 8, 4) (countFn, 16, 8) (leafFn, 24, 8)
          (infoFn, 32, 8) (moveFn, 40, 8) (colWidth, 48, 8));
ZK_RECORD(LWPanEditorDesc, 32, 8, (type, 0, 4) (buf, 8, 8) (bufLen, 16, 4) (width, 20, 4) (height, 24, 4));
ZK_RECORD(LWPanControlDesc, 56, 8, (type, 0, 4) (string, 0, 8) (choice, 0, 24) (text, 0, 16) (range, 0, 16)
          (area, 0, 12) (lwitem, 0, 40) (popup, 0, 48) (listbox, 0, 32) (xpanel, 0, 24) (tree, 0, 48)
          (multiList, 0, 40) (multiTree, 0, 56) (editor, 0, 32));
ZK_RECORD(LWDisplayMetrics, 32, 4, (width, 0, 4) (height, 4, 4) (pixX, 8, 4) (pixY, 12, 4) (maxColors, 16, 4)
          (depth, 20, 4) (textHeight, 24, 4) (textAscent, 28, 4));
ZK_RECORD(DrawFuncs, 72, 8, (drawPixel, 0, 8) (drawRGBPixel, 8, 8) (drawLine, 16, 8) (drawBox, 24, 8)
          (drawRGBBox, 32, 8) (drawBorder, 40, 8) (textWidth, 48, 8) (drawText, 56, 8) (dispMetrics, 64, 8));
ZK_RECORD(LWPanelFuncs, 128, 8, (create, 0, 8) (destroy, 8, 8) (open, 16, 8) (handle, 24, 8) (draw, 32, 8)
          (close, 40, 8) (get, 48, 8) (set, 56, 8) (addControl, 64, 8) (nextControl, 72, 8) (drawFuncs, 80, 8)
          (user_data, 88, 8) (globalFun, 96, 8) (destroyControl, 104, 8) (setParent, 112, 8) (getRaster, 120, 8));
ZK_RECORD(LWRasterFuncs, 184, 8, (drawPixel, 0, 8) (drawRGBPixel, 8, 8) (drawLine, 16, 8) (drawBox, 24, 8)
          (drawRGBBox, 32, 8) (eraseBox, 40, 8) (drawBorder, 48, 8) (drawText, 56, 8) (create, 64, 8) (destroy, 72, 8)
          (blitPanel, 80, 8) (blitRaster, 88, 8) (textWidth, 96, 8) (drawRichText, 104, 8) (getRichTextSize, 112, 8)
          (drawImage, 120, 8) (transferToImage, 128, 8) (fillPolygon, 136, 8) (strokePolygon, 144, 8)
          (pushClippingRect, 152, 8) (popClippingRect, 160, 8) (getClippingRect, 168, 8) (getBackingScalar, 176, 8));

// XPanels.
ZK_RECORD(LWXPanelControl, 24, 8, (cid, 0, 4) (label, 8, 8) (ctrlclass, 16, 8));
ZK_RECORD(LWXPanelDataDesc, 24, 8, (vid, 0, 4) (name, 8, 8) (datatype, 16, 8));
ZK_RECORD(LWXPanelFuncs, 120, 8, (version, 0, 4) (drawf, 8, 8) (create, 16, 8) (destroy, 24, 8) (describe, 32, 8)
          (hint, 40, 8) (getData, 48, 8) (setData, 56, 8) (formGet, 64, 8) (formSet, 72, 8) (viewInst, 80, 8)
          (viewRefresh, 88, 8) (post, 96, 8) (open, 104, 8) (viewRebuild, 112, 8));

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Typedef sizes.
ZK_IS(sizeof(LWItemID), 8) ZK_IS(sizeof(LWChannelID), 8) ZK_IS(sizeof(LWChanGroupID), 8) ZK_IS(sizeof(LWInstance), 8)
ZK_IS(sizeof(LWError), 8) ZK_IS(sizeof(LWTime), 8) ZK_IS(sizeof(LWFrame), 4) ZK_IS(sizeof(LWDVector), 24)
ZK_IS(sizeof(LWFVector), 12) ZK_IS(sizeof(LWID), 4) ZK_IS(sizeof(LWXPanelID), 8) ZK_IS(sizeof(LWItemType), 4)
ZK_IS(sizeof(RingEvent), 8) ZK_IS(sizeof(LWPanelID), 8) ZK_IS(sizeof(LWControlID), 8) ZK_IS(sizeof(DrMode), 4)
ZK_IS(sizeof(cTag), 4) ZK_IS(sizeof(LWCtlEventFunc), 8) ZK_IS(sizeof(pTag), 4) ZK_IS(sizeof(LWPanHook), 8)
ZK_IS(sizeof(LWPanDrawHook), 8) ZK_IS(sizeof(LWPanKeyHook), 8) ZK_IS(sizeof(LWPanMouseHook), 8)
ZK_IS(sizeof(LWRasterID), 8) ZK_IS(sizeof(LWXPanelHint), 8) ZK_IS(sizeof(LWDualKey), 2)

// Hooks whose parameters a size cannot tell apart.
static_assert(std::is_same<LWPanKeyHook, int (*)(LWPanelID, void *, LWDualKey)>::value, "LWPanKeyHook");
static_assert(std::is_same<LWCtlSelectHook, int (*)(LWControlID, void *, int, int)>::value, "LWCtlSelectHook");

// Constants.
#if defined(_WIN64)
ZK_IS(MOD_MACHINE, 768) // 64-bit Windows
#else
ZK_IS(MOD_MACHINE, 1280) // 64-bit Linux
#endif
ZK_IS(GFUSE_TRANSIENT, 0) ZK_IS(GFUSE_ACQUIRE, 1) ZK_IS(GFUSE_RELEASE, 2)
ZK_IS(AFUNC_OK, 0) ZK_IS(AFUNC_BADVERSION, 1) ZK_IS(AFUNC_BADGLOBAL, 2) ZK_IS(AFUNC_BADLOCAL, 3)
ZK_IS(AFUNC_BADAPP, 4) ZK_IS(AFUNC_BADAPP_SILENT, 5)
ZK_IS(MOD_SYSVER, 3) ZK_IS(MOD_SYSSYNC, 68295060)
ZK_IS(LWIO_OBJECT, 0) ZK_IS(LWIO_BINARY, 0) ZK_IS(LWIO_SCENE, 1) ZK_IS(LWIO_ASCII, 1)
ZK_IS(LWEVNT_NOTHING, 0) ZK_IS(LWEVNT_COMMAND, 1) ZK_IS(LWEVNT_TIME, 2) ZK_IS(LWEVNT_SELECT, 3)
ZK_IS(LWEVNT_RENDER_DONE, 4)
ZK_IS(LWMAST_SCENE, 0) ZK_IS(LWMAST_LAYOUT, 1)
ZK_IS(LWCSYS_WORLD, 0) ZK_IS(LWCSYS_OBJECT, 1) ZK_IS(LWCSYS_ICON, 2) ZK_IS(LWCSYS_VIEWPORT, 3)
ZK_IS(LWLPAT_SOLID, 0) ZK_IS(LWLPAT_DOT, 1) ZK_IS(LWLPAT_DASH, 2) ZK_IS(LWLPAT_LONGDOT, 3)
ZK_IS(LWJUST_LEFT, 0) ZK_IS(LWJUST_CENTER, 1) ZK_IS(LWJUST_RIGHT, 2)
ZK_IS(LWTOOLF_CONSTRAIN, 1) ZK_IS(LWTOOLF_CONS_X, 2) ZK_IS(LWTOOLF_CONS_Y, 4) ZK_IS(LWTOOLF_ALT_BUTTON, 8)
ZK_IS(LWTOOLF_MULTICLICK, 16) ZK_IS(LWTOOLF_CTRL, 32) ZK_IS(LWTOOLF_ALT, 64) ZK_IS(LWTOOLF_SHIFT, 128)
ZK_IS(LWI_OBJECT, 0) ZK_IS(LWI_LIGHT, 1) ZK_IS(LWI_CAMERA, 2) ZK_IS(LWI_BONE, 3)
ZK_IS(LVVIEWT_NONE, 0) ZK_IS(LVVIEWT_TOP, 1) ZK_IS(LVVIEWT_BOTTOM, 2) ZK_IS(LVVIEWT_BACK, 3) ZK_IS(LVVIEWT_FRONT, 4)
ZK_IS(LVVIEWT_RIGHT, 5) ZK_IS(LVVIEWT_LEFT, 6) ZK_IS(LVVIEWT_PERSPECTIVE, 7) ZK_IS(LVVIEWT_LIGHT, 8)
ZK_IS(LVVIEWT_CAMERA, 9) ZK_IS(LVVIEWT_SCHEMATIC, 10)
ZK_IS(LWVMAP_MORF, 1297044038) ZK_IS(LWVMAP_SPOT, 1397772116) ZK_IS(LWVMAP_WGHT, 1464289364)
ZK_IS(FREQ_LOAD, 1) ZK_IS(FREQ_SAVE, 2) ZK_IS(FREQ_DIRECTORY, 3) ZK_IS(FREQ_MULTILOAD, 4)
ZK_IS(DR_ERASE, 0) ZK_IS(DR_RENDER, 1) ZK_IS(DR_GHOST, 2) ZK_IS(DR_REFRESH, 3)
ZK_IS(LWT_NULL, 0) ZK_IS(LWT_STRING, 1) ZK_IS(LWT_INTEGER, 2) ZK_IS(LWT_FLOAT, 3) ZK_IS(LWT_DISTANCE, 4)
ZK_IS(LWT_VINT, 5) ZK_IS(LWT_VFLOAT, 6) ZK_IS(LWT_VDIST, 7) ZK_IS(LWT_BOOLEAN, 8) ZK_IS(LWT_CHOICE, 9)
ZK_IS(LWT_SURFACE, 10) ZK_IS(LWT_FONT, 11) ZK_IS(LWT_TEXT, 12) ZK_IS(LWT_LAYERS, 13) ZK_IS(LWT_CUSTOM, 14)
ZK_IS(LWT_RANGE, 15) ZK_IS(LWT_LWITEM, 16) ZK_IS(LWT_PERCENT, 17) ZK_IS(LWT_POPUP, 18) ZK_IS(LWT_AREA, 19)
ZK_IS(LWT_XPANEL, 20) ZK_IS(LWT_TREE, 21) ZK_IS(LWT_MLIST, 22) ZK_IS(LWT_POINTER, 23) ZK_IS(LWT_MULTILINE, 24)
ZK_IS(CTL_X, 0) ZK_IS(CTL_Y, 1) ZK_IS(CTL_W, 2) ZK_IS(CTL_H, 3) ZK_IS(CTL_VALUE, 4) ZK_IS(CTL_HOTX, 5)
ZK_IS(CTL_HOTY, 6) ZK_IS(CTL_HOTW, 7) ZK_IS(CTL_HOTH, 8) ZK_IS(CTL_LABELWIDTH, 9) ZK_IS(CTL_MOUSEX, 10)
ZK_IS(CTL_MOUSEY, 11) ZK_IS(CTL_FLAGS, 12) ZK_IS(CTL_USERDRAW, 13) ZK_IS(CTL_USEREVENT, 14) ZK_IS(CTL_LABEL, 15)
ZK_IS(CTL_USERDATA, 16) ZK_IS(CTL_PANEL, 17) ZK_IS(CTL_PANFUN, 18) ZK_IS(CTL_RANGEMIN, 19) ZK_IS(CTL_RANGEMAX, 20)
ZK_IS(CTL_ACTIVATE, 21) ZK_IS(CTL_MOUSEBUTTON, 22) ZK_IS(CTL_SELECTEVENT, 23) ZK_IS(CTL_MOUSECLICKCNT, 24)
ZK_IS(CTL_MENUFLAGSFUNC, 25) ZK_IS(CTL_COLORSPACE, 26) ZK_IS(CTL_VIEWERCOLORSPACE, 27)
ZK_IS(PAN_X, 0) ZK_IS(PAN_Y, 1) ZK_IS(PAN_W, 2) ZK_IS(PAN_H, 3) ZK_IS(PAN_MOUSEX, 4) ZK_IS(PAN_MOUSEY, 5)
ZK_IS(PAN_FLAGS, 6) ZK_IS(PAN_USERDRAW, 7) ZK_IS(PAN_USERACTIVATE, 8) ZK_IS(PAN_USEROPEN, 9) ZK_IS(PAN_USERCLOSE, 10)
ZK_IS(PAN_TITLE, 11) ZK_IS(PAN_USERDATA, 12) ZK_IS(PAN_USERKEYS, 13) ZK_IS(PAN_LWINSTANCE, 14)
ZK_IS(PAN_MOUSEBUTTON, 15) ZK_IS(PAN_MOUSEMOVE, 16) ZK_IS(PAN_PANFUN, 17) ZK_IS(PAN_VERSION, 18) ZK_IS(PAN_RESULT, 19)
ZK_IS(PAN_HOSTDISPLAY, 20) ZK_IS(PAN_USERKEYUPS, 21) ZK_IS(PAN_QUALIFIERS, 22) ZK_IS(PAN_TO_FRONT, 23)
ZK_IS(PAN_MOUSEWHEEL, 24) ZK_IS(PAN_USERRESIZE, 25) ZK_IS(PAN_MIN_W, 26) ZK_IS(PAN_MIN_H, 27) ZK_IS(PAN_MAX_W, 28)
ZK_IS(PAN_MAX_H, 29) ZK_IS(PAN_CONFIGTAG, 30)
ZK_IS(PANF_BLOCKING, 1) ZK_IS(PANF_CANCEL, 2) ZK_IS(PANF_FRAME, 4) ZK_IS(PANF_MOUSETRAP, 8)
ZK_IS(PANF_PASSALLKEYS, 16) ZK_IS(PANF_ABORT, 32) ZK_IS(PANF_NOBUTT, 64) ZK_IS(PANF_RESIZE, 128)
ZK_IS(PANF_MOUSETRACK, 256)
ZK_IS(IQ_CTRL, 1) ZK_IS(IQ_SHIFT, 2) ZK_IS(IQ_ALT, 4) ZK_IS(IQ_CONSTRAIN, 8) ZK_IS(IQ_ADJUST, 16)
ZK_IS(MOUSE_LEFT, 32) ZK_IS(MOUSE_MID, 64) ZK_IS(MOUSE_RIGHT, 96) ZK_IS(MOUSE_DOWN, 128)
ZK_IS(LWXP_VIEW, 1) ZK_IS(LWXP_FORM, 2)
ZK_IS(XPTAG_END, 0) ZK_IS(XPTAG_NULL, 0) ZK_IS(XPTAG_LABEL, 1023412995) ZK_IS(XPTAG_CHGNOTIFY, 1023414017)
ZK_IS(XPTAG_DESTROYNOTIFY, 1023415042) ZK_IS(XPTAG_MIN, 1023492098) ZK_IS(XPTAG_MAX, 1023492354)
ZK_IS(XPTAG_STEP, 1023492610) ZK_IS(XPTAG_RANGE, 1023492868) ZK_IS(XPTAG_STRLIST, 1023493379)
ZK_IS(XPTAG_BUTNOTIFY, 1023500034) ZK_IS(XPTAG_POPFUNCS, 1023500803) ZK_IS(XPTAG_GROUP, 1023540865)
ZK_IS(XPTAG_DIVADD, 1023546497)
ZK_IS(LWDK_ALT, 4192) ZK_IS(LWDK_SHIFT, 4193) ZK_IS(LWDK_CTRL, 4194)
ZK_IS(LWMASTF_LAYOUT, 1) ZK_IS(LWMASTF_RECEIVE_NOTIFICATIONS, 2)
ZK_IS(LWDRAWMODE_CULLFACE, 1) ZK_IS(LWDRAWMODE_OUTLINE, 2) ZK_IS(LWDRAWMODE_DEPTHTEST, 4)
ZK_IS(LWDRAWMODE_DEPTHWRITE, 8) ZK_IS(LWDRAWMODE_SMOOTH, 16)
ZK_IS(LWCOFL_SELECTED, 1) ZK_IS(LWCOFL_PICKING, 2)
ZK_IS(LWT_EVENT_DROP, 0) ZK_IS(LWT_EVENT_RESET, 1) ZK_IS(LWT_EVENT_ACTIVATE, 2)
ZK_IS(LWT_DIRTY_WIREFRAME, 1) ZK_IS(LWT_DIRTY_HELPTEXT, 2)
ZK_IS(LWXPRC_NONE, 0) ZK_IS(LWXPRC_DFLT, 1) ZK_IS(LWXPRC_DRAW, 2) ZK_IS(LWXPRC_FULL, 3)
ZK_IS(LWLAYOUTTOOL_VERSION, 4) ZK_IS(LWFILEREQ_VERSION, 4) ZK_IS(LWINTERFACE_VERSION, 5) ZK_IS(LWMASTER_VERSION, 5)
ZK_IS(LWGIZMO_VERSION, 5) ZK_IS(LWCHANNEL_VERSION, 5) ZK_IS(LWCOLORPICK_VERSION, 6) ZK_IS(LWIMAGEFILTER_VERSION, 7)
ZK_IS(LWLAYOUTGENERIC_VERSION, 7)
ZK_IS(LANGID_USENGLISH, 1033) ZK_IS(LANGID_JAPANESE, 1041) ZK_IS(LWLOC_LANGID, 65535)
ZK_IS(SRVTAG_USERNAME, 0) ZK_IS(SRVTAG_BUTTONNAME, 65536) ZK_IS(SRVTAG_DESCRIPTION, 262144)

// Service names and server classes.
ZK_NAMED(LWCOMMANDFUNC_GLOBAL, "LW Command Interface")
ZK_NAMED(LWCOMMANDINTERFACE_GLOBAL, "LW Command Interface 2") ZK_NAMED(LWITEMINFO_GLOBAL, "LW Item Info 9")
ZK_NAMED(LWOBJECTINFO_GLOBAL, "LW Object Info 14") ZK_NAMED(LWCAMERAINFO_GLOBAL, "LW Camera Info 10")
ZK_NAMED(LWSCENEINFO_GLOBAL, "LW Scene Info 12") ZK_NAMED(LWTIMEINFO_GLOBAL, "LW Time Info")
ZK_NAMED(LWINTERFACEINFO_GLOBAL, "LW Interface Info 8") ZK_NAMED(LWVIEWPORTINFO_GLOBAL, "LW Viewport Info 9")
ZK_NAMED(LWCHANNELINFO_GLOBAL, "Channel Info 3") ZK_NAMED(LWOBJECTFUNCS_GLOBAL, "Scene Objects 9")
ZK_NAMED(LWCOMRING_GLOBAL, "LW Communication Ring") ZK_NAMED(LWCOLORACTIVATEFUNC_GLOBAL, "Color Picker")
ZK_NAMED(LWFILEACTIVATEFUNC_GLOBAL, "File Request 3") ZK_NAMED(LWFILEREQFUNC_GLOBAL, "File Request")
ZK_NAMED(LWLOCALEINFO_GLOBAL, "Locale Info") ZK_NAMED(PANEL_SERVICES_NAME, "LWPanelServices 3")
ZK_NAMED(LWRASTERFUNCS_GLOBAL, "RasterServices 4") ZK_NAMED(LWXPANELFUNCS_GLOBAL, "LWXPanel 3")
ZK_NAMED(LWLAYOUTGENERIC_CLASS, "LayoutGeneric") ZK_NAMED(LWCHANNEL_HCLASS, "ChannelHandler")
ZK_NAMED(LWCHANNEL_ICLASS, "ChannelInterface") ZK_NAMED(LWMASTER_HCLASS, "MasterHandler")
ZK_NAMED(LWMASTER_ICLASS, "MasterInterface") ZK_NAMED(LWMASTER_GCLASS, "MasterGizmo")
ZK_NAMED(LWIMAGEFILTER_HCLASS, "ImageFilterHandler") ZK_NAMED(LWLAYOUTTOOL_CLASS, "LayoutTool")

} // namespace
