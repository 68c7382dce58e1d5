{
  "targets": [
    {
      "target_name": "axtrack",
      "sources": [
        "src/addon.c",
        "src/addon_kit.c",
        "src/addon_loop.c",
        "src/delivery.c",
        "src/kit.c",
        "src/library.c",
        "src/napi_util.c",
        "src/window_handle.c"
      ],
      "defines": ["NAPI_VERSION=8"],
      "cflags": ["-std=c11", "-Wall", "-Wextra", "-Wpedantic", "-Wshadow", "-Wconversion",
                 "-Wno-sign-conversion", "-Wno-unused-parameter", "-Werror"],
      "conditions": [
        ["OS=='linux'", {
          "sources": ["src/glib_api.c", "src/loop_glib.c"],
          "defines": ["_GNU_SOURCE"],
          "libraries": ["-ldl"]
        }],
        ["OS=='mac'", {
          "sources": ["src/loop_cfrunloop.c"],
          "libraries": ["-framework CoreFoundation", "-lobjc"],
          "xcode_settings": {"MACOSX_DEPLOYMENT_TARGET": "12.0",
                             "OTHER_CFLAGS": ["-std=c11", "-Wall", "-Wextra", "-Werror"]}
        }]
      ]
    }
  ]
}
