-- Brisalonde in a headless Ardour session (ardour7-lua, dummy audio backend), in the format
-- PLUGIN_FORMAT names (VST3 or LV2) and found by PLUGIN_ID (its name, or its URI). STEP=save: new session, a MIDI track with the plug-in, the "Bass" program, Attack set to
-- 123 ms, a note played and metered, saved. STEP=reload: the session loaded again, the values
-- read back, a note played, and the session saved again. Each finding is printed as
-- "key value" for the caller.
function say(...) print(...) io.stdout:flush() end

local function playNote(track, note)
  local midi = track:to_track():to_midi_track()
  local parser = ARDOUR.RawMidiParser()
  local function send(a, b, c)
    for _, x in ipairs({a, b, c}) do
      if parser:process_byte(x) then
        midi:write_immediate_event(Evoral.EventType.MIDI_EVENT, parser:buffer_size(),
                                   parser:midi_buffer())
      end
    end
  end
  send(0x90, note, 110)
  ARDOUR.LuaAPI.usleep(400000)
  local level = track:peak_meter():meter_level(0, ARDOUR.MeterType.MeterPeak)
  send(0x80, note, 0)
  ARDOUR.LuaAPI.usleep(100000)
  return level
end

local function report(track)
  local proc = track:nth_plugin(0)
  say("plugin", proc:display_name())
  for i = 0, 15 do
    local v, _ = ARDOUR.LuaAPI.get_processor_param(proc, i, true)
    say("param" .. i, v)
  end
end

AudioEngine:set_backend("None (Dummy)", "", "")
local dir = os.getenv("SESSION_DIR")
local ok, err
if os.getenv("STEP") == "save" then
  create_session(dir, "brisalonde", 48000)
  -- A track made while the new session still sets itself up can collide with its ports.
  ARDOUR.LuaAPI.usleep(1000000)
  ok, err = pcall(function()
    local info = ARDOUR.LuaAPI.new_plugin_info(os.getenv("PLUGIN_ID"),
                                               ARDOUR.PluginType[os.getenv("PLUGIN_FORMAT")])
    local tracks = Session:new_midi_track(ARDOUR.ChanCount(ARDOUR.DataType("midi"), 1),
      ARDOUR.ChanCount(ARDOUR.DataType("audio"), 2), true, info, nil, nil, 1, "Synth",
      ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
    local track = tracks:front()
    local proc = track:nth_plugin(0)
    local plugin = proc:to_insert():plugin(0)
    for _, name in ipairs({"Original", "Soft reed", "Bass", "Lantern", "Glide"}) do
      local preset = plugin:preset_by_label(name)
      say("preset", name, preset and preset.uri or "none")
    end
    say("loaded", plugin:load_preset(plugin:preset_by_label("Bass")))
    ARDOUR.LuaAPI.usleep(100000)
    ARDOUR.LuaAPI.set_processor_param(proc, 3, 123.0)
    ARDOUR.LuaAPI.usleep(100000)
    report(track)
    say("level", playNote(track, 60))
  end)
  Session:save_state("", false, false, false, false, false)
else
  load_session(dir, "brisalonde")
  ok, err = pcall(function()
    local track = Session:route_by_name("Synth")
    report(track)
    say("level", playNote(track, 48))
  end)
  Session:save_state("", false, false, false, false, false)
end
say("result", ok, err)
close_session()
