# Reduces an `apitrace dump` of frame_probe to the skeleton of its first frame:
# the state changes and draws that mark the passes, each with the arguments
# that matter, and runs of identical calls folded into "xN".
# Per-object calls (matrix push/pop, colours, transforms, client arrays and the
# boxes' own blend switches) are counted by the test separately.

function token(line,    name, args, n, parts, keep, i, out) {
    name = line; sub(/\(.*/, "", name)
    args = line; sub(/^[^(]*\(/, "", args); sub(/\)( = .*)?$/, "", args)
    keep = 0
    if (name ~ /^gl(Clear|ClearColor|Enable|Disable|ShadeModel|BindTexture|BlendFunc|PolygonMode|DrawArrays)$/) keep = 9
    else if (name ~ /^gl(Lightfv|Lightf)$/) keep = 2
    else if (name == "glMaterialfv") keep = 99
    else if (name == "glDrawElements") keep = 3
    else if (name ~ /^gl(LoadIdentity|MultMatrixf|MultMatrixd|Translated|Flush)$/) keep = 0
    else return ""
    if (name ~ /^gl(Enable|Disable)$/ && args ~ /GL_BLEND/) return ""
    n = split(args, parts, /, /)
    out = name "("
    for (i = 1; i <= n && i <= keep; ++i) out = out (i > 1 ? ", " : "") parts[i]
    return out ")"
}

function flush() { if (last != "") print last (count > 1 ? " x" count : "") }

/eglSwapBuffers/ { ++swaps; next }
swaps == 1 {
    line = $0; sub(/^[0-9]+ /, "", line)
    t = token(line)
    if (t == "") next
    if (t == last) { ++count; next }
    flush(); last = t; count = 1
}
END { flush() }
