# The user's own choice of how X11 offers OpenGL is overridden.
# file: startup/skipopengl.h
/qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")/d
