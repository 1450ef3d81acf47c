#include "ATMLCommonError/ATMLError.h"

#include "ATMLCommonError/Answering.h"

namespace {
struct CodeText {
    long code;
    const char* text;
};

const CodeText kCodeTexts[] = {
    {-1, "错误"},
    {0, "警告"},
    {1, "成功"},
    {2, "未知错误"},
    {3, "指针为空"},
    {4, "名称为空"},
    {5, "不支持该功能"},
    {6, "可用数据所含信息不全"},
    {30, "创建列表框栏目错误"},
    {31, "插入列表框条目错误"},
    {32, "设置列表框条目文本错误"},
    {33, "设置列表框条目图像错误"},
    {40, "装载控件或组件失败"},
    {41, "卸载控件或组件失败"},
    {42, "获取控件或组件函数失败"},
    {43, "执行控件或组件函数失败"},
    {50, "文件已存在"},
    {51, "目录已存在"},
    {52, "文件已关闭"},
    {53, "文件路径为空"},
    {54, "文件不存在"},
    {60, "获取路径失败"},
    {61, "创建目录失败"},
    {71, "文件打开失败"},
    {72, "文件保存失败"},
    {73, "文件创建失败"},
    {74, "文件删除失败"},
    {75, "文件类型无效"},
    {101, "无效的值"},
    {102, "值不存在"},
    {103, "元素不存在"},
    {104, "移除值失败"},
    {105, "移除元素失败"},
    {106, "值保存失败"},
    {107, "缺少必需的属性"},
    {108, "缺少必需的元素"},
    {110, "无效的UUID值"},
    {111, "不正确的元素个数"},
    {112, "设置属性失败"},
    {600, "XML文件操作错误"},
};

const char kUnknownCode[] = "不能识别的错误代码";

// A getter's copy of text.
template <class Text>
CString CopyOrEmpty(const Text& text) noexcept {
    return RunAnswering([&] { return CString(text); }, EmptyText);
}
}  // namespace

CATMLError::CATMLError() : m_nErrorCode(1) {}

CATMLError::CATMLError(const CATMLError& other)
    : CObject(), m_nErrorCode(other.m_nErrorCode), m_strErrorInfo(other.m_strErrorInfo),
      m_strErrorTrace(other.m_strErrorTrace) {}

CATMLError& CATMLError::operator=(const CATMLError& other) {
    m_nErrorCode = other.m_nErrorCode;
    m_strErrorInfo = other.m_strErrorInfo;
    m_strErrorTrace = other.m_strErrorTrace;
    return *this;
}

CATMLError::~CATMLError() = default;

void CATMLError::SetErrorCode(long code) { m_nErrorCode = code; }

long CATMLError::GetErrorCode() const { return m_nErrorCode; }

// The setters never throw: a text that memory is too short for is answered
// as running out of memory (see Answering.h).
void CATMLError::SetErrorInfo(CString info) {
    try {
        m_strErrorInfo = info;
    } catch (const std::bad_alloc&) {
        RecordCodeNoThrow(*this, m_nErrorCode, kMsgOutOfMemory);
    }
}

CString CATMLError::GetErrorInfo() const { return CopyOrEmpty(m_strErrorInfo); }

void CATMLError::SetErrorTrace(CString position, const CATMLError* source) {
    WriteTraceNoThrow(*this, position.GetString(), source);
}

void CATMLError::RecordFailure(CString message, CString position) {
    RecordFailureNoThrow(*this, message.GetString(), position.GetString());
}

CString CATMLError::GetErrorTrace() const { return CopyOrEmpty(m_strErrorTrace); }

CString CATMLError::GetErrorCodeText(long code) const { return CopyOrEmpty(ErrorCodeTextOf(code)); }

CString CATMLError::ErrorCodeToText(long code) { return CopyOrEmpty(ErrorCodeTextOf(code)); }

// Codes outside -1 to 999 have no text of their own.
const char* ErrorCodeTextOf(long code) noexcept {
    if (code < -1 || code > 999) return kUnknownCode;
    for (const CodeText& entry : kCodeTexts)
        if (entry.code == code) return entry.text;
    return kUnknownCode;
}
