// unserved_members.cpp: the logging stand-ins of the members the simulated host does not serve.
#include "unserved.h"

#include "host.h"

#include <type_traits>

namespace zkh {

namespace {

template <class F>
struct ResultOf;
template <class R, class... A>
struct ResultOf<R (*)(A...)> {
    using type = R;
};

} // namespace

void LogUnservedCall(const char *member)
{
    if (Host::HasCurrent())
        Host::Current().Message(std::string("unserved call: ") + member +
                                " (the simulated host does not offer this member)");
}

// A stand-in takes any arguments of the member's type, logs the call and answers a zero value.
#define ZKH_TRAP(record, member, name)                                                                  \
    if (!(record).member)                                                                               \
    (record).member = [](auto...) -> typename ResultOf<decltype((record).member)>::type {               \
        LogUnservedCall(name);                                                                          \
        return typename ResultOf<decltype((record).member)>::type();                                    \
    }

void TrapUnserved(LWLoadState &record)
{
    ZKH_TRAP(record, read, "LWLoadState.read");
    ZKH_TRAP(record, readI1, "LWLoadState.readI1");
    ZKH_TRAP(record, readI2, "LWLoadState.readI2");
    ZKH_TRAP(record, readI4, "LWLoadState.readI4");
    ZKH_TRAP(record, readU1, "LWLoadState.readU1");
    ZKH_TRAP(record, readU2, "LWLoadState.readU2");
    ZKH_TRAP(record, readU4, "LWLoadState.readU4");
    ZKH_TRAP(record, readFP, "LWLoadState.readFP");
    ZKH_TRAP(record, readStr, "LWLoadState.readStr");
    ZKH_TRAP(record, readID, "LWLoadState.readID");
    ZKH_TRAP(record, findBlk, "LWLoadState.findBlk");
    ZKH_TRAP(record, endBlk, "LWLoadState.endBlk");
    ZKH_TRAP(record, depth, "LWLoadState.depth");
    ZKH_TRAP(record, readDP, "LWLoadState.readDP");
}

void TrapUnserved(LWSaveState &record)
{
    ZKH_TRAP(record, write, "LWSaveState.write");
    ZKH_TRAP(record, writeI1, "LWSaveState.writeI1");
    ZKH_TRAP(record, writeI2, "LWSaveState.writeI2");
    ZKH_TRAP(record, writeI4, "LWSaveState.writeI4");
    ZKH_TRAP(record, writeU1, "LWSaveState.writeU1");
    ZKH_TRAP(record, writeU2, "LWSaveState.writeU2");
    ZKH_TRAP(record, writeU4, "LWSaveState.writeU4");
    ZKH_TRAP(record, writeFP, "LWSaveState.writeFP");
    ZKH_TRAP(record, writeStr, "LWSaveState.writeStr");
    ZKH_TRAP(record, writeID, "LWSaveState.writeID");
    ZKH_TRAP(record, beginBlk, "LWSaveState.beginBlk");
    ZKH_TRAP(record, endBlk, "LWSaveState.endBlk");
    ZKH_TRAP(record, depth, "LWSaveState.depth");
    ZKH_TRAP(record, writeDP, "LWSaveState.writeDP");
}

void TrapUnserved(LWMasterAccess &record)
{
    ZKH_TRAP(record, lookup, "LWMasterAccess.lookup");
    ZKH_TRAP(record, execute, "LWMasterAccess.execute");
    ZKH_TRAP(record, evaluate, "LWMasterAccess.evaluate");
}

void TrapUnserved(LWCustomObjAccess &record)
{
    ZKH_TRAP(record, setColor, "LWCustomObjAccess.setColor");
    ZKH_TRAP(record, setPattern, "LWCustomObjAccess.setPattern");
    ZKH_TRAP(record, setTexture, "LWCustomObjAccess.setTexture");
    ZKH_TRAP(record, setUVs, "LWCustomObjAccess.setUVs");
    ZKH_TRAP(record, point, "LWCustomObjAccess.point");
    ZKH_TRAP(record, line, "LWCustomObjAccess.line");
    ZKH_TRAP(record, triangle, "LWCustomObjAccess.triangle");
    ZKH_TRAP(record, quad, "LWCustomObjAccess.quad");
    ZKH_TRAP(record, circle, "LWCustomObjAccess.circle");
    ZKH_TRAP(record, text, "LWCustomObjAccess.text");
    ZKH_TRAP(record, setCSysItem, "LWCustomObjAccess.setCSysItem");
    ZKH_TRAP(record, polygon, "LWCustomObjAccess.polygon");
    ZKH_TRAP(record, polyIndexed, "LWCustomObjAccess.polyIndexed");
    ZKH_TRAP(record, setDrawMode, "LWCustomObjAccess.setDrawMode");
    ZKH_TRAP(record, disk, "LWCustomObjAccess.disk");
    ZKH_TRAP(record, setPart, "LWCustomObjAccess.setPart");
    ZKH_TRAP(record, measureText, "LWCustomObjAccess.measureText");
    ZKH_TRAP(record, setThickness, "LWCustomObjAccess.setThickness");
    ZKH_TRAP(record, circle2, "LWCustomObjAccess.circle2");
    ZKH_TRAP(record, disk2, "LWCustomObjAccess.disk2");
    ZKH_TRAP(record, setColorCC, "LWCustomObjAccess.setColorCC");
    ZKH_TRAP(record, getColor, "LWCustomObjAccess.getColor");
    ZKH_TRAP(record, pushMatrix, "LWCustomObjAccess.pushMatrix");
    ZKH_TRAP(record, popMatrix, "LWCustomObjAccess.popMatrix");
    ZKH_TRAP(record, lineStrip, "LWCustomObjAccess.lineStrip");
    ZKH_TRAP(record, lineLoop, "LWCustomObjAccess.lineLoop");
}

void TrapUnserved(LWFilterAccess &record)
{
    ZKH_TRAP(record, layers, "LWFilterAccess.layers");
    ZKH_TRAP(record, getLine, "LWFilterAccess.getLine");
    ZKH_TRAP(record, setRGB, "LWFilterAccess.setRGB");
    ZKH_TRAP(record, setAlpha, "LWFilterAccess.setAlpha");
}

void TrapUnserved(LWChannelAccess &record)
{
    ZKH_TRAP(record, getChannel, "LWChannelAccess.getChannel");
    ZKH_TRAP(record, setChannel, "LWChannelAccess.setChannel");
    ZKH_TRAP(record, channelName, "LWChannelAccess.channelName");
}

void TrapUnserved(LWLayoutGeneric &record)
{
    ZKH_TRAP(record, saveScene, "LWLayoutGeneric.saveScene");
    ZKH_TRAP(record, loadScene, "LWLayoutGeneric.loadScene");
    ZKH_TRAP(record, lookup, "LWLayoutGeneric.lookup");
    ZKH_TRAP(record, execute, "LWLayoutGeneric.execute");
    ZKH_TRAP(record, evaluate, "LWLayoutGeneric.evaluate");
    ZKH_TRAP(record, commandArguments, "LWLayoutGeneric.commandArguments");
    ZKH_TRAP(record, parsedArguments, "LWLayoutGeneric.parsedArguments");
}

void TrapUnserved(LWCommandInterface &record)
{
    ZKH_TRAP(record, lookup, "LWCommandInterface.lookup");
    ZKH_TRAP(record, execute, "LWCommandInterface.execute");
    ZKH_TRAP(record, evaluate, "LWCommandInterface.evaluate");
}

void TrapUnserved(LWItemInfo &record)
{
    ZKH_TRAP(record, first, "LWItemInfo.first");
    ZKH_TRAP(record, next, "LWItemInfo.next");
    ZKH_TRAP(record, firstChild, "LWItemInfo.firstChild");
    ZKH_TRAP(record, nextChild, "LWItemInfo.nextChild");
    ZKH_TRAP(record, parent, "LWItemInfo.parent");
    ZKH_TRAP(record, target, "LWItemInfo.target");
    ZKH_TRAP(record, goal, "LWItemInfo.goal");
    ZKH_TRAP(record, type, "LWItemInfo.type");
    ZKH_TRAP(record, name, "LWItemInfo.name");
    ZKH_TRAP(record, param, "LWItemInfo.param");
    ZKH_TRAP(record, limits, "LWItemInfo.limits");
    ZKH_TRAP(record, getTag, "LWItemInfo.getTag");
    ZKH_TRAP(record, setTag, "LWItemInfo.setTag");
    ZKH_TRAP(record, chanGroup, "LWItemInfo.chanGroup");
    ZKH_TRAP(record, server, "LWItemInfo.server");
    ZKH_TRAP(record, serverFlags, "LWItemInfo.serverFlags");
    ZKH_TRAP(record, controller, "LWItemInfo.controller");
    ZKH_TRAP(record, flags, "LWItemInfo.flags");
    ZKH_TRAP(record, lookAhead, "LWItemInfo.lookAhead");
    ZKH_TRAP(record, goalStrength, "LWItemInfo.goalStrength");
    ZKH_TRAP(record, stiffness, "LWItemInfo.stiffness");
    ZKH_TRAP(record, axisLocks, "LWItemInfo.axisLocks");
    ZKH_TRAP(record, maxLookSteps, "LWItemInfo.maxLookSteps");
    ZKH_TRAP(record, reliableDistance, "LWItemInfo.reliableDistance");
    ZKH_TRAP(record, goalObjective, "LWItemInfo.goalObjective");
    ZKH_TRAP(record, ikfkBlending, "LWItemInfo.ikfkBlending");
    ZKH_TRAP(record, ikInitialState, "LWItemInfo.ikInitialState");
    ZKH_TRAP(record, ikInitialStateFrame, "LWItemInfo.ikInitialStateFrame");
    ZKH_TRAP(record, ikSoft, "LWItemInfo.ikSoft");
    ZKH_TRAP(record, pole, "LWItemInfo.pole");
    ZKH_TRAP(record, sameItem, "LWItemInfo.sameItem");
    ZKH_TRAP(record, sameItemBlend, "LWItemInfo.sameItemBlend");
    ZKH_TRAP(record, sameItemBlendMethod, "LWItemInfo.sameItemBlendMethod");
    ZKH_TRAP(record, sameItemFlags, "LWItemInfo.sameItemFlags");
    ZKH_TRAP(record, selected, "LWItemInfo.selected");
    ZKH_TRAP(record, follow, "LWItemInfo.follow");
    ZKH_TRAP(record, controllerTrans, "LWItemInfo.controllerTrans");
    ZKH_TRAP(record, splineItem, "LWItemInfo.splineItem");
    ZKH_TRAP(record, splineFit, "LWItemInfo.splineFit");
    ZKH_TRAP(record, splineT, "LWItemInfo.splineT");
    ZKH_TRAP(record, rotationOrder, "LWItemInfo.rotationOrder");
    ZKH_TRAP(record, relparam, "LWItemInfo.relparam");
}

void TrapUnserved(LWObjectInfo &record)
{
    ZKH_TRAP(record, filename, "LWObjectInfo.filename");
    ZKH_TRAP(record, numPoints, "LWObjectInfo.numPoints");
    ZKH_TRAP(record, numPolygons, "LWObjectInfo.numPolygons");
    ZKH_TRAP(record, shadowOpts, "LWObjectInfo.shadowOpts");
    ZKH_TRAP(record, dissolve, "LWObjectInfo.dissolve");
    ZKH_TRAP(record, meshInfo, "LWObjectInfo.meshInfo");
    ZKH_TRAP(record, flags, "LWObjectInfo.flags");
    ZKH_TRAP(record, fog, "LWObjectInfo.fog");
    ZKH_TRAP(record, dispMap, "LWObjectInfo.dispMap");
    ZKH_TRAP(record, clipMap, "LWObjectInfo.clipMap");
    ZKH_TRAP(record, patchLevel, "LWObjectInfo.patchLevel");
    ZKH_TRAP(record, metaballRes, "LWObjectInfo.metaballRes");
    ZKH_TRAP(record, boneSource, "LWObjectInfo.boneSource");
    ZKH_TRAP(record, morphTarget, "LWObjectInfo.morphTarget");
    ZKH_TRAP(record, morphAmount, "LWObjectInfo.morphAmount");
    ZKH_TRAP(record, edgeOpts, "LWObjectInfo.edgeOpts");
    ZKH_TRAP(record, edgeColor, "LWObjectInfo.edgeColor");
    ZKH_TRAP(record, subdivOrder, "LWObjectInfo.subdivOrder");
    ZKH_TRAP(record, polygonSize, "LWObjectInfo.polygonSize");
    ZKH_TRAP(record, excluded, "LWObjectInfo.excluded");
    ZKH_TRAP(record, matteColor, "LWObjectInfo.matteColor");
    ZKH_TRAP(record, thickness, "LWObjectInfo.thickness");
    ZKH_TRAP(record, edgeZScale, "LWObjectInfo.edgeZScale");
    ZKH_TRAP(record, shrinkEdgesNominalDistance, "LWObjectInfo.shrinkEdgesNominalDistance");
    ZKH_TRAP(record, maxDissolveDistance, "LWObjectInfo.maxDissolveDistance");
    ZKH_TRAP(record, bumpDistance, "LWObjectInfo.bumpDistance");
    ZKH_TRAP(record, getGroupIndex, "LWObjectInfo.getGroupIndex");
    ZKH_TRAP(record, dispMapOrder, "LWObjectInfo.dispMapOrder");
    ZKH_TRAP(record, bumpOrder, "LWObjectInfo.bumpOrder");
    ZKH_TRAP(record, getNodeEditor, "LWObjectInfo.getNodeEditor");
    ZKH_TRAP(record, nodeOrder, "LWObjectInfo.nodeOrder");
    ZKH_TRAP(record, bounds, "LWObjectInfo.bounds");
    ZKH_TRAP(record, shadowoffsetdistance, "LWObjectInfo.shadowoffsetdistance");
    ZKH_TRAP(record, instancer, "LWObjectInfo.instancer");
    ZKH_TRAP(record, getEdgeNodeEditor, "LWObjectInfo.getEdgeNodeEditor");
    ZKH_TRAP(record, layerLoaded, "LWObjectInfo.layerLoaded");
    ZKH_TRAP(record, getAlphaValue, "LWObjectInfo.getAlphaValue");
    ZKH_TRAP(record, giMode, "LWObjectInfo.giMode");
    ZKH_TRAP(record, bruteForceRays, "LWObjectInfo.bruteForceRays");
    ZKH_TRAP(record, primaryRays, "LWObjectInfo.primaryRays");
    ZKH_TRAP(record, secondaryRays, "LWObjectInfo.secondaryRays");
    ZKH_TRAP(record, missingSampleRays, "LWObjectInfo.missingSampleRays");
    ZKH_TRAP(record, angularTolerance, "LWObjectInfo.angularTolerance");
    ZKH_TRAP(record, minimumPixelSpacing, "LWObjectInfo.minimumPixelSpacing");
    ZKH_TRAP(record, maximumPixelSpacing, "LWObjectInfo.maximumPixelSpacing");
    ZKH_TRAP(record, pntIndex, "LWObjectInfo.pntIndex");
    ZKH_TRAP(record, polIndex, "LWObjectInfo.polIndex");
    ZKH_TRAP(record, boneMode, "LWObjectInfo.boneMode");
    ZKH_TRAP(record, numLimitedBones, "LWObjectInfo.numLimitedBones");
    ZKH_TRAP(record, numBoneWeightsPnts, "LWObjectInfo.numBoneWeightsPnts");
    ZKH_TRAP(record, boneWeights, "LWObjectInfo.boneWeights");
}

void TrapUnserved(LWCameraInfo &record)
{
    ZKH_TRAP(record, zoomFactor, "LWCameraInfo.zoomFactor");
    ZKH_TRAP(record, focalLength, "LWCameraInfo.focalLength");
    ZKH_TRAP(record, focalDistance, "LWCameraInfo.focalDistance");
    ZKH_TRAP(record, fStop, "LWCameraInfo.fStop");
    ZKH_TRAP(record, blurLength, "LWCameraInfo.blurLength");
    ZKH_TRAP(record, fovAngles, "LWCameraInfo.fovAngles");
    ZKH_TRAP(record, flags, "LWCameraInfo.flags");
    ZKH_TRAP(record, resolution, "LWCameraInfo.resolution");
    ZKH_TRAP(record, pixelAspect, "LWCameraInfo.pixelAspect");
    ZKH_TRAP(record, separation, "LWCameraInfo.separation");
    ZKH_TRAP(record, regionLimits, "LWCameraInfo.regionLimits");
    ZKH_TRAP(record, maskLimits, "LWCameraInfo.maskLimits");
    ZKH_TRAP(record, maskColor, "LWCameraInfo.maskColor");
    ZKH_TRAP(record, motionBlur, "LWCameraInfo.motionBlur");
    ZKH_TRAP(record, fieldRendering, "LWCameraInfo.fieldRendering");
    ZKH_TRAP(record, irisPos, "LWCameraInfo.irisPos");
    ZKH_TRAP(record, usingGlobalResolution, "LWCameraInfo.usingGlobalResolution");
    ZKH_TRAP(record, usingGlobalBlur, "LWCameraInfo.usingGlobalBlur");
    ZKH_TRAP(record, usingGlobalMask, "LWCameraInfo.usingGlobalMask");
    ZKH_TRAP(record, motionBlurPasses, "LWCameraInfo.motionBlurPasses");
    ZKH_TRAP(record, shutterEfficiency, "LWCameraInfo.shutterEfficiency");
    ZKH_TRAP(record, noiseSampler, "LWCameraInfo.noiseSampler");
    ZKH_TRAP(record, filmSize, "LWCameraInfo.filmSize");
    ZKH_TRAP(record, frameTiming, "LWCameraInfo.frameTiming");
    ZKH_TRAP(record, antiAliasing, "LWCameraInfo.antiAliasing");
    ZKH_TRAP(record, overSampling, "LWCameraInfo.overSampling");
    ZKH_TRAP(record, diaphragm, "LWCameraInfo.diaphragm");
    ZKH_TRAP(record, convergencePoint, "LWCameraInfo.convergencePoint");
    ZKH_TRAP(record, usingConvergencePoint, "LWCameraInfo.usingConvergencePoint");
    ZKH_TRAP(record, convergenceToeIn, "LWCameraInfo.convergenceToeIn");
    ZKH_TRAP(record, eyeTransform, "LWCameraInfo.eyeTransform");
    ZKH_TRAP(record, rollingShutter, "LWCameraInfo.rollingShutter");
    ZKH_TRAP(record, shutterOpen, "LWCameraInfo.shutterOpen");
    ZKH_TRAP(record, minSamples, "LWCameraInfo.minSamples");
    ZKH_TRAP(record, maxSamples, "LWCameraInfo.maxSamples");
    ZKH_TRAP(record, trackedEye, "LWCameraInfo.trackedEye");
    ZKH_TRAP(record, overscanMode, "LWCameraInfo.overscanMode");
    ZKH_TRAP(record, overscanSize, "LWCameraInfo.overscanSize");
    ZKH_TRAP(record, resolutionmultiplier, "LWCameraInfo.resolutionmultiplier");
    ZKH_TRAP(record, overscanPixels, "LWCameraInfo.overscanPixels");
}

void TrapUnserved(LWSceneInfo &record)
{
    ZKH_TRAP(record, renderCamera, "LWSceneInfo.renderCamera");
}

void TrapUnserved(LWInterfaceInfo &record)
{
    ZKH_TRAP(record, itemFlags, "LWInterfaceInfo.itemFlags");
    ZKH_TRAP(record, schemaPos, "LWInterfaceInfo.schemaPos");
    ZKH_TRAP(record, itemVis, "LWInterfaceInfo.itemVis");
    ZKH_TRAP(record, itemColor, "LWInterfaceInfo.itemColor");
    ZKH_TRAP(record, setItemColorIndex, "LWInterfaceInfo.setItemColorIndex");
    ZKH_TRAP(record, setItemColorCustom, "LWInterfaceInfo.setItemColorCustom");
    ZKH_TRAP(record, defaultItemTypeColor, "LWInterfaceInfo.defaultItemTypeColor");
    ZKH_TRAP(record, itemColorRgba, "LWInterfaceInfo.itemColorRgba");
    ZKH_TRAP(record, itemIconScale, "LWInterfaceInfo.itemIconScale");
    ZKH_TRAP(record, DPIScalar, "LWInterfaceInfo.DPIScalar");
}

void TrapUnserved(LWViewportInfo &record)
{
    ZKH_TRAP(record, type, "LWViewportInfo.type");
    ZKH_TRAP(record, flags, "LWViewportInfo.flags");
    ZKH_TRAP(record, pos, "LWViewportInfo.pos");
    ZKH_TRAP(record, xfrm, "LWViewportInfo.xfrm");
    ZKH_TRAP(record, clip, "LWViewportInfo.clip");
    ZKH_TRAP(record, rect, "LWViewportInfo.rect");
    ZKH_TRAP(record, viewLevel, "LWViewportInfo.viewLevel");
    ZKH_TRAP(record, projection, "LWViewportInfo.projection");
    ZKH_TRAP(record, modelview, "LWViewportInfo.modelview");
    ZKH_TRAP(record, project, "LWViewportInfo.project");
    ZKH_TRAP(record, unproject, "LWViewportInfo.unproject");
    ZKH_TRAP(record, pixelSize, "LWViewportInfo.pixelSize");
    ZKH_TRAP(record, handleSize, "LWViewportInfo.handleSize");
    ZKH_TRAP(record, gridSize, "LWViewportInfo.gridSize");
    ZKH_TRAP(record, viewItem, "LWViewportInfo.viewItem");
    ZKH_TRAP(record, gridType, "LWViewportInfo.gridType");
    ZKH_TRAP(record, viewPicking, "LWViewportInfo.viewPicking");
    ZKH_TRAP(record, hoverIndex, "LWViewportInfo.hoverIndex");
    ZKH_TRAP(record, bgImage, "LWViewportInfo.bgImage");
    ZKH_TRAP(record, handleSmoothing, "LWViewportInfo.handleSmoothing");
    ZKH_TRAP(record, getActivePreview, "LWViewportInfo.getActivePreview");
    ZKH_TRAP(record, getBackingScale, "LWViewportInfo.getBackingScale");
}

void TrapUnserved(LWChannelInfo &record)
{
    ZKH_TRAP(record, nextGroup, "LWChannelInfo.nextGroup");
    ZKH_TRAP(record, nextChannel, "LWChannelInfo.nextChannel");
    ZKH_TRAP(record, groupName, "LWChannelInfo.groupName");
    ZKH_TRAP(record, channelName, "LWChannelInfo.channelName");
    ZKH_TRAP(record, groupParent, "LWChannelInfo.groupParent");
    ZKH_TRAP(record, channelParent, "LWChannelInfo.channelParent");
    ZKH_TRAP(record, channelType, "LWChannelInfo.channelType");
    ZKH_TRAP(record, channelEvaluate, "LWChannelInfo.channelEvaluate");
    ZKH_TRAP(record, channelEnvelope, "LWChannelInfo.channelEnvelope");
    ZKH_TRAP(record, setChannelEvent, "LWChannelInfo.setChannelEvent");
    ZKH_TRAP(record, server, "LWChannelInfo.server");
    ZKH_TRAP(record, serverFlags, "LWChannelInfo.serverFlags");
    ZKH_TRAP(record, serverInstance, "LWChannelInfo.serverInstance");
    ZKH_TRAP(record, serverApply, "LWChannelInfo.serverApply");
    ZKH_TRAP(record, serverRemove, "LWChannelInfo.serverRemove");
}

void TrapUnserved(LWSceneObjects &record)
{
    ZKH_TRAP(record, numObjects, "LWSceneObjects.numObjects");
    ZKH_TRAP(record, filename, "LWSceneObjects.filename");
    ZKH_TRAP(record, maxLayers, "LWSceneObjects.maxLayers");
    ZKH_TRAP(record, layerExists, "LWSceneObjects.layerExists");
    ZKH_TRAP(record, pivotPoint, "LWSceneObjects.pivotPoint");
    ZKH_TRAP(record, layerMesh, "LWSceneObjects.layerMesh");
    ZKH_TRAP(record, numVMaps, "LWSceneObjects.numVMaps");
    ZKH_TRAP(record, vmapName, "LWSceneObjects.vmapName");
    ZKH_TRAP(record, vmapDim, "LWSceneObjects.vmapDim");
    ZKH_TRAP(record, vmapType, "LWSceneObjects.vmapType");
    ZKH_TRAP(record, layerName, "LWSceneObjects.layerName");
    ZKH_TRAP(record, layerVis, "LWSceneObjects.layerVis");
    ZKH_TRAP(record, userName, "LWSceneObjects.userName");
    ZKH_TRAP(record, refName, "LWSceneObjects.refName");
    ZKH_TRAP(record, focusObject, "LWSceneObjects.focusObject");
}

void TrapUnserved(LWComRing &record)
{
    ZKH_TRAP(record, ringAttach, "LWComRing.ringAttach");
    ZKH_TRAP(record, ringDetach, "LWComRing.ringDetach");
    ZKH_TRAP(record, ringMessage, "LWComRing.ringMessage");
}

void TrapUnserved(LWControl &record)
{
    ZKH_TRAP(record, draw, "LWControl.draw");
    ZKH_TRAP(record, get, "LWControl.get");
    ZKH_TRAP(record, set, "LWControl.set");
}

void TrapUnserved(DrawFuncs &record)
{
    ZKH_TRAP(record, drawPixel, "DrawFuncs.drawPixel");
    ZKH_TRAP(record, drawRGBPixel, "DrawFuncs.drawRGBPixel");
    ZKH_TRAP(record, drawLine, "DrawFuncs.drawLine");
    ZKH_TRAP(record, drawBox, "DrawFuncs.drawBox");
    ZKH_TRAP(record, drawRGBBox, "DrawFuncs.drawRGBBox");
    ZKH_TRAP(record, drawBorder, "DrawFuncs.drawBorder");
    ZKH_TRAP(record, textWidth, "DrawFuncs.textWidth");
    ZKH_TRAP(record, drawText, "DrawFuncs.drawText");
    ZKH_TRAP(record, dispMetrics, "DrawFuncs.dispMetrics");
}

void TrapUnserved(LWPanelFuncs &record)
{
    ZKH_TRAP(record, create, "LWPanelFuncs.create");
    ZKH_TRAP(record, destroy, "LWPanelFuncs.destroy");
    ZKH_TRAP(record, open, "LWPanelFuncs.open");
    ZKH_TRAP(record, handle, "LWPanelFuncs.handle");
    ZKH_TRAP(record, draw, "LWPanelFuncs.draw");
    ZKH_TRAP(record, close, "LWPanelFuncs.close");
    ZKH_TRAP(record, get, "LWPanelFuncs.get");
    ZKH_TRAP(record, set, "LWPanelFuncs.set");
    ZKH_TRAP(record, addControl, "LWPanelFuncs.addControl");
    ZKH_TRAP(record, nextControl, "LWPanelFuncs.nextControl");
    ZKH_TRAP(record, globalFun, "LWPanelFuncs.globalFun");
    ZKH_TRAP(record, destroyControl, "LWPanelFuncs.destroyControl");
    ZKH_TRAP(record, setParent, "LWPanelFuncs.setParent");
    ZKH_TRAP(record, getRaster, "LWPanelFuncs.getRaster");
}

void TrapUnserved(LWRasterFuncs &record)
{
    ZKH_TRAP(record, drawPixel, "LWRasterFuncs.drawPixel");
    ZKH_TRAP(record, drawRGBPixel, "LWRasterFuncs.drawRGBPixel");
    ZKH_TRAP(record, drawLine, "LWRasterFuncs.drawLine");
    ZKH_TRAP(record, drawBox, "LWRasterFuncs.drawBox");
    ZKH_TRAP(record, drawRGBBox, "LWRasterFuncs.drawRGBBox");
    ZKH_TRAP(record, eraseBox, "LWRasterFuncs.eraseBox");
    ZKH_TRAP(record, drawBorder, "LWRasterFuncs.drawBorder");
    ZKH_TRAP(record, drawText, "LWRasterFuncs.drawText");
    ZKH_TRAP(record, create, "LWRasterFuncs.create");
    ZKH_TRAP(record, destroy, "LWRasterFuncs.destroy");
    ZKH_TRAP(record, blitPanel, "LWRasterFuncs.blitPanel");
    ZKH_TRAP(record, blitRaster, "LWRasterFuncs.blitRaster");
    ZKH_TRAP(record, textWidth, "LWRasterFuncs.textWidth");
    ZKH_TRAP(record, drawRichText, "LWRasterFuncs.drawRichText");
    ZKH_TRAP(record, getRichTextSize, "LWRasterFuncs.getRichTextSize");
    ZKH_TRAP(record, drawImage, "LWRasterFuncs.drawImage");
    ZKH_TRAP(record, transferToImage, "LWRasterFuncs.transferToImage");
    ZKH_TRAP(record, fillPolygon, "LWRasterFuncs.fillPolygon");
    ZKH_TRAP(record, strokePolygon, "LWRasterFuncs.strokePolygon");
    ZKH_TRAP(record, pushClippingRect, "LWRasterFuncs.pushClippingRect");
    ZKH_TRAP(record, popClippingRect, "LWRasterFuncs.popClippingRect");
    ZKH_TRAP(record, getClippingRect, "LWRasterFuncs.getClippingRect");
    ZKH_TRAP(record, getBackingScalar, "LWRasterFuncs.getBackingScalar");
}

void TrapUnserved(LWXPanelFuncs &record)
{
    ZKH_TRAP(record, create, "LWXPanelFuncs.create");
    ZKH_TRAP(record, destroy, "LWXPanelFuncs.destroy");
    ZKH_TRAP(record, describe, "LWXPanelFuncs.describe");
    ZKH_TRAP(record, hint, "LWXPanelFuncs.hint");
    ZKH_TRAP(record, getData, "LWXPanelFuncs.getData");
    ZKH_TRAP(record, setData, "LWXPanelFuncs.setData");
    ZKH_TRAP(record, formGet, "LWXPanelFuncs.formGet");
    ZKH_TRAP(record, formSet, "LWXPanelFuncs.formSet");
    ZKH_TRAP(record, viewInst, "LWXPanelFuncs.viewInst");
    ZKH_TRAP(record, viewRefresh, "LWXPanelFuncs.viewRefresh");
    ZKH_TRAP(record, post, "LWXPanelFuncs.post");
    ZKH_TRAP(record, open, "LWXPanelFuncs.open");
    ZKH_TRAP(record, viewRebuild, "LWXPanelFuncs.viewRebuild");
}
#undef ZKH_TRAP

} // namespace zkh
