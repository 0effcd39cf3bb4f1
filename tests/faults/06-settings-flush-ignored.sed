# Saving the settings ignores a failed flush, and commits a cut file.
# file: config/configurationfile.cpp
s/if (file.write(content) != content.size() || !file.flush()) {/if (file.write(content) != content.size()) {/
