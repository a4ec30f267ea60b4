# The system libraries the project links, found once for the whole tree
# (pkg-config, global imported targets). Link them as PkgConfig::<NAME>.
find_package(PkgConfig REQUIRED)
pkg_check_modules(AVCODEC REQUIRED IMPORTED_TARGET GLOBAL libavcodec libavutil)
pkg_check_modules(AVFORMAT REQUIRED IMPORTED_TARGET GLOBAL libavformat libavcodec libavutil)
pkg_check_modules(SWSCALE REQUIRED IMPORTED_TARGET GLOBAL libswscale libavutil)
pkg_check_modules(FONTS REQUIRED IMPORTED_TARGET GLOBAL freetype2 fontconfig)
pkg_check_modules(TURBOJPEG REQUIRED IMPORTED_TARGET GLOBAL libturbojpeg)
pkg_check_modules(ALSA REQUIRED IMPORTED_TARGET GLOBAL alsa)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET GLOBAL gtk+-3.0)
pkg_check_modules(WEBKIT2GTK REQUIRED IMPORTED_TARGET GLOBAL webkit2gtk-4.1)
pkg_check_modules(RSVG REQUIRED IMPORTED_TARGET GLOBAL librsvg-2.0)
pkg_check_modules(XTEST REQUIRED IMPORTED_TARGET GLOBAL x11 xtst)
