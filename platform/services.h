// Everything the program takes from its platform, handed down from main() or a test.
#pragma once

#include "platform/clock.h"
#include "platform/debug_output.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/volumes.h"

namespace platform {

struct Services {
  VolumeTable& volumes;
  FileSystem& files;
  Clock& clock;
  MessageBox& message_box;
  FolderPicker& folder_picker;
  WebBrowser& web_browser;
  FolderCopier& folder_copier;
  DebugOutput& debug_output;
};

}  // namespace platform
