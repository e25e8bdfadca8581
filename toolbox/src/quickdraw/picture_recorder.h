// The picture open on a port: the operations drawn since OpenPicture, kept
// until ClosePicture serialises them into the picture's handle.
#pragma once

#include "toolbox/display_list.h"
#include "toolbox/quickdraw_types.h"

namespace toolbox {

class PictureRecorder {
 public:
  PictureRecorder(PicHandle handle, const Rect& frame) : handle_(handle), frame_(frame) {}

  void Record(const DrawOp& op) { contents_.ops.push_back(op); }
  PicHandle handle() const { return handle_; }
  const Rect& frame() const { return frame_; }
  const DisplayList& contents() const { return contents_; }

 private:
  PicHandle handle_;
  Rect frame_;
  DisplayList contents_;
};

}  // namespace toolbox
