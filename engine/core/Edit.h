#pragma once
// One event of an edit list: a clip placed on the programme timeline. In a
// change list the same type means "material at sourceIn..sourceOut of the OLD
// programme now lies at masterIn..masterOut of the NEW one". Out points are
// exclusive.
//
// Events are shared (EditPtr): lists, selections and undo records hold the
// live event, and the comparison recolours the events of lists A and B.

#include "core/Color.h"
#include "core/KLVtc.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace rw {

class edit;
using EditPtr = std::shared_ptr<edit>;
using EditArray = std::vector<EditPtr>;

class edit {
public:
    edit() = default;  // "000", "none", no times, black, track priority 1

    static EditPtr initWithNum(std::string num, std::string clip, TcPtr sourceIn, TcPtr sourceOut,
                               TcPtr masterIn, TcPtr masterOut);
    // Sets the six fields, then colour black and not motion-effected.
    void setEditWithNum(std::string num, std::string clip, TcPtr sourceIn, TcPtr sourceOut,
                        TcPtr masterIn, TcPtr masterOut);

    // A copy that owns copies of the four times (no shared timecodes).
    EditPtr deepCopy() const;

    const std::string& editNum() const { return editNum_; }
    const std::string& clip() const { return clip_; }
    const TcPtr& sourceIn() const { return sourceIn_; }
    const TcPtr& sourceOut() const { return sourceOut_; }
    const TcPtr& masterIn() const { return masterIn_; }
    const TcPtr& masterOut() const { return masterOut_; }
    const Color& color() const { return color_; }
    std::int32_t trackPriority() const { return trackPriority_; }
    const std::optional<std::string>& scene() const { return scene_; }
    const std::optional<std::string>& shot() const { return shot_; }
    const std::optional<std::string>& version() const { return version_; }
    bool isVFX() const { return isVFX_; }
    bool isMotionEffected() const { return isMotionEffected_; }

    void setEditNum(std::string v) { editNum_ = std::move(v); }
    void setClip(std::string v) { clip_ = std::move(v); }
    void setSourceIn(TcPtr v) { sourceIn_ = std::move(v); }
    void setSourceOut(TcPtr v) { sourceOut_ = std::move(v); }
    void setMasterIn(TcPtr v) { masterIn_ = std::move(v); }
    void setMasterOut(TcPtr v) { masterOut_ = std::move(v); }
    void setColor(Color v) { color_ = v; }
    void setTrackPriority(std::int32_t v) { trackPriority_ = v; }
    void setScene(std::optional<std::string> v) { scene_ = std::move(v); }
    void setShot(std::optional<std::string> v) { shot_ = std::move(v); }
    void setVersion(std::optional<std::string> v) { version_ = std::move(v); }
    void setIsVFX(bool v) { isVFX_ = v; }
    void setIsMotionEffected(bool v) { isMotionEffected_ = v; }

    // Source length over programme length, in single precision: 1 at normal
    // speed, 2 when twice the source plays in the same time. A zero-length
    // programme gives an infinite or not-a-number ratio, not a failure.
    float motionEffectRatio() const;

    std::string description() const;

private:
    std::string editNum_ = "000";
    std::string clip_ = "none";
    TcPtr sourceIn_, sourceOut_, masterIn_, masterOut_;
    Color color_ = Color::black();
    std::int32_t trackPriority_ = 1;
    std::optional<std::string> scene_, shot_, version_;
    bool isVFX_ = false;
    bool isMotionEffected_ = false;
};

// Frame counts of an event's times, 0 for an absent time.
inline std::int32_t framesOf(const TcPtr& tc) { return tc ? tc->totalFrames() : 0; }

}  // namespace rw
