-- Brisalonde as VST 3 and as VST 2 side by side in one headless Ardour session (ardour7-lua,
-- dummy backend): a MIDI track for each build, each feeding an audio track that records it.
-- STEP=make builds and saves the session. STEP=play loads it, so that both play from their
-- restored state, restarts both instances together, and sends the same notes to both tracks in
-- the same call, so that they reach both in the same cycle; the caller compares the two
-- recordings. Prints "key value" lines.
function say(...) print(...) io.stdout:flush() end

local function synth(name, plugin, kind)
  local info = ARDOUR.LuaAPI.new_plugin_info(plugin, kind)
  if info:isnil() then error("no Brisalonde plug-in of kind " .. name) end
  local tracks = Session:new_midi_track(ARDOUR.ChanCount(ARDOUR.DataType("midi"), 1),
    ARDOUR.ChanCount(ARDOUR.DataType("audio"), 2), true, info, nil, nil, 1, name,
    ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true)
  return tracks:front()
end

local function recorder(name, source)
  local tracks = Session:new_audio_track(2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order,
    ARDOUR.TrackMode.Normal, true)
  local track = tracks:front()
  track:input():disconnect_all(nil)
  source:output():disconnect_all(nil)
  for c = 0, 1 do
    source:output():audio(c):connect(track:input():audio(c):name())
  end
  track:rec_enable_control():set_value(1, PBD.GroupControlDisposition.NoGroup)
  return track
end

AudioEngine:set_backend("None (Dummy)", "", "")
local dir = os.getenv("SESSION_DIR")
local ok, err
if os.getenv("STEP") == "make" then
  create_session(dir, "against", 48000)
  ARDOUR.LuaAPI.usleep(2000000)
  ok, err = pcall(function()
    -- Ardour names a Linux VST 2 by its effect name and the format.
    local three = synth("Vst3", "Brisalonde", ARDOUR.PluginType.VST3)
    local two = synth("Vst2", "Brisalonde VST2", ARDOUR.PluginType.LXVST)
    recorder("Take3", three)
    recorder("Take2", two)
  end)
  Session:save_state("", false, false, false, false, false)
else
  load_session(dir, "against")
  ARDOUR.LuaAPI.usleep(500000)
  ok, err = pcall(function()
    local three = Session:route_by_name("Vst3")
    local two = Session:route_by_name("Vst2")
    for tag, track in pairs({["3"] = three, ["2"] = two}) do
      local proc = track:nth_plugin(0)
      say("plugin" .. tag, proc:display_name())
      local values = {}
      for i = 0, 15 do
        local v, _ = ARDOUR.LuaAPI.get_processor_param(proc, i, true)
        values[#values + 1] = string.format("%.6g", v)
      end
      say("values" .. tag, table.concat(values, " "))
    end
    -- Both instances start over in the same cycle: the voice runs on through silence, so
    -- instances made or loaded at different times differ in phase.
    local procs = {three:nth_plugin(0), two:nth_plugin(0)}
    for _, p in ipairs(procs) do p:deactivate() end
    ARDOUR.LuaAPI.usleep(200000)
    for _, p in ipairs(procs) do p:activate() end
    ARDOUR.LuaAPI.usleep(200000)
    for _, name in ipairs({"Take3", "Take2"}) do
      Session:route_by_name(name):to_track():rec_enable_control():set_value(1,
        PBD.GroupControlDisposition.NoGroup)
    end
    local parser = ARDOUR.RawMidiParser()
    local midi = {three:to_track():to_midi_track(), two:to_track():to_midi_track()}
    local function send(a, b, c)
      for _, x in ipairs({a, b, c}) do
        if parser:process_byte(x) then
          for _, m in ipairs(midi) do
            m:write_immediate_event(Evoral.EventType.MIDI_EVENT, parser:buffer_size(),
                                    parser:midi_buffer())
          end
        end
      end
    end
    Session:maybe_enable_record(false)
    Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
    ARDOUR.LuaAPI.usleep(500000)
    say("rolling", Session:transport_rolling(), Session:actively_recording())
    for _, note in ipairs({48, 55, 60, 67}) do
      send(0x90, note, 100)
      ARDOUR.LuaAPI.usleep(250000)
      send(0xB0, 1, note)  -- the mod wheel
      ARDOUR.LuaAPI.usleep(150000)
      send(0x80, note, 0)
      ARDOUR.LuaAPI.usleep(200000)
    end
    ARDOUR.LuaAPI.usleep(1000000)
    Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
    ARDOUR.LuaAPI.usleep(1000000)
  end)
  Session:save_state("", false, false, false, false, false)
end
say("result", ok, err)
close_session()
