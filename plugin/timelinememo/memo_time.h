// memo_time.h: clip times (seconds) shown as whole frames.
#ifndef ZK_MEMO_TIME_H
#define ZK_MEMO_TIME_H

// The whole frame a time shows at a frame rate. A frame entered is kept as frames / fps seconds,
// and the scene block keeps that as a 32-bit float, so a time read back lies a little before or
// after its frame (5 / 24 s stored is 4.9999998 frames): a time within float precision of a
// frame's time (two steps of a float there) shows that frame; any other rounds down to the frame
// it falls in. Kept within int; a NaN shows frame 0.
int WholeFramesOf(double fps, double seconds);

#endif
