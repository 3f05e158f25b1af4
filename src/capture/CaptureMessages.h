#pragma once

// Texts of the capture failures, shown in a "Swish Cam message" box.
inline constexpr const char* messageCaption = "Swish Cam message";
inline constexpr const char* messageNoDevice =
    "No video capture device was detected on your system.\r\n\r\n"
    "This application requires a functional video capture device, such\r\n"
    "as a USB web camera.";
inline constexpr const char* messageConnection =
    "Could not connect capture pin #0 to grabber.\r\n"
    "Is the capture device being used by another application?";
inline constexpr const char* messageRun = "Could not run graph";
inline constexpr const char* messageDeviceLost =
    "The video capture device has stopped delivering pictures.\r\n\r\n"
    "Check its cable, then choose it again in the video capture properties.";
